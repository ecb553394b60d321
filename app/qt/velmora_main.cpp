// velmora: the program on the real marketplace.
#include "app/qt/toolkit_setup.h"
#include "app/qt/velmora_application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    velmora::PrepareToolkit();
    QApplication toolkit(argc, argv);
    velmora::ApplyWindowLook(toolkit);

    velmora::VelmoraApplication application(velmora::Endpoints::Marketplace());
    return application.Run();
}
