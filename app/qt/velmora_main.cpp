// velmora: the program on the real marketplace.
#include "app/qt/toolkit_setup.h"
#include "app/qt/velmora_application.h"
#include "export/qt/save_file_dialog.h"
#include "update/qt/make_update_window.h"

#include <QApplication>

int main(int argc, char** argv)
{
    velmora::PrepareToolkit();
    QApplication toolkit(argc, argv);
    velmora::ApplyWindowLook(toolkit);

    velmora::WindowOptions options;
    options.make_update_window = velmora::MakeUpdateWindow;
    velmora::VelmoraApplication application(velmora::Endpoints::Marketplace(), std::move(options));
    velmora::QtSaveFileChooser save_dialog(&application.Window());
    application.Window().GetSession().save_file_chooser = &save_dialog;
    return application.Run();
}
