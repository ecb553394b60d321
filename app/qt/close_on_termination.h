// A request from outside to end the program (the session ending, an interrupt from the
// terminal) closes the main window, so the program ends the way it does when the user closes
// it: the message loop ends and everything is released in order.
#pragma once

class QWidget;

namespace velmora {

void CloseOnTerminationRequest(QWidget& main_window);

}
