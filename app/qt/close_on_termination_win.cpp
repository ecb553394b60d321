#include "app/qt/close_on_termination.h"

namespace velmora {

// Windows ends a window program through its window's close message, which the window
// already handles.
void CloseOnTerminationRequest(QWidget&)
{
}

}
