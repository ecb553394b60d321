// The handlers that change only the main window itself: its set-up at creation, the panels,
// the search-mode switches, the settings buttons, select-all, always-on-top, and the help,
// contact and update buttons.
#pragma once

#include "app/session.h"

namespace velmora {

// Where the buttons put the panels, inside the window.
constexpr int HintPanelLeft = 212, HintPanelTop = 150;
constexpr int TimePanelLeft = 120, TimePanelTop = 165;
constexpr int CreditPanelLeft = 50, CreditPanelTop = 150;

// The creation handler: moves the hint panel into the window (still hidden), narrows the
// window to MainWindowNarrowedWidth, shows the banner at 分组框3's place, fills the category
// box and gives the focus to the seller-time panel.
void SetUpMainWindow(Session& session);

// The shop-search switch enables the six shop-only controls and sets the columns' titles.
void ShowShopSearchMode(Session& session);
// The item-search switch disables five of them; 编辑框所在地 stays as it is.
void ShowItemSearchMode(Session& session);

// Sets the checked state of every check box carrying a tag from 1 to 21 to that of 选择框1.
void SelectAllLevels(Form& form);

// Each time the main window becomes the active window it is put on top again.
void OnMainWindowActivated(Form& form);

// The window's own click handlers. True when control is one of theirs.
bool HandleWindowClick(Session& session, Control control);

}
