#include "app/click_dispatch.h"

namespace velmora {

void OnClick(Session& session, Control control)
{
    if (HandleWindowClick(session, control))
        return;

    switch (control) {
    default:
        break;
    }
}

void OnDoubleClick(Session& session, Control list)
{
    switch (list) {
    default:
        break;
    }
}

}
