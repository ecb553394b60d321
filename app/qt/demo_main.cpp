// velmora-demo: the program's window on a sample marketplace that it starts itself on
// loopback, with a keyword and example shop and item addresses that give results at once.
#include "app/qt/toolkit_setup.h"
#include "app/qt/velmora_application.h"
#include "export/qt/save_file_dialog.h"
#include "market/sample_market.h"
#include "update/qt/make_update_window.h"

#include <QApplication>
#include <iostream>

namespace {

constexpr char const* DemoKeyword = "连衣裙";

}

int main(int argc, char** argv)
{
    velmora::market::SampleMarket market;
    if (auto started = market.Start(); !started) {
        std::cerr << "velmora-demo: the sample marketplace cannot start: " << started.message << "\n";
        return 1;
    }

    velmora::PrepareToolkit();
    QApplication toolkit(argc, argv);
    velmora::ApplyWindowLook(toolkit);

    velmora::WindowOptions options;
    options.make_update_window = velmora::MakeUpdateWindow;
    velmora::VelmoraApplication application(market.Endpoints(), std::move(options));
    velmora::QtSaveFileChooser save_dialog(&application.Window());
    auto& session = application.Window().GetSession();
    session.save_file_chooser = &save_dialog;
    session.form.SetText(velmora::Control::编辑框关键字, velmora::Utf8ToGbk(DemoKeyword));

    int exit_code = application.Run();
    market.Stop();
    return exit_code;
}
