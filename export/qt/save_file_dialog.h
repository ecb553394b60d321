// The save dialog of the export buttons, as a Qt file dialog.
#pragma once

#include "export/save_file_request.h"

class QFileDialog;
class QWidget;

namespace velmora {

// Sets up dialog as request asks: title, filters, folder, default name, default suffix and
// the question before an existing file is replaced.
void ConfigureSaveDialog(QFileDialog& dialog, SaveFileRequest const& request);

class QtSaveFileChooser final : public SaveFileChooser {
public:
    // The dialog belongs to the active window at the time of the call, or to owner when no
    // window is active.
    explicit QtSaveFileChooser(QWidget* owner = nullptr);

    Text ChooseSaveFile(SaveFileRequest const& request) override;

private:
    QWidget* m_owner;
};

}
