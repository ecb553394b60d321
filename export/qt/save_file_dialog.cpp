#include "export/qt/save_file_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace velmora {

namespace {

QString FromGbk(Text const& text)
{
    return QString::fromUtf8(GbkToUtf8(text));
}

}

void ConfigureSaveDialog(QFileDialog& dialog, SaveFileRequest const& request)
{
    dialog.setWindowTitle(FromGbk(request.title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A save dialog refuses a folder that does not exist; AnyFile still lets a new name in.
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (auto const& filter : request.filters)
        filters << FromGbk(filter.display_name) + " (" + FromGbk(filter.pattern) + ")";
    dialog.setNameFilters(filters);
    dialog.setDirectory(FromGbk(request.initial_directory));
    dialog.selectFile(FromGbk(request.default_name));
    dialog.setDefaultSuffix(FromGbk(request.default_extension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
}

QtSaveFileChooser::QtSaveFileChooser(QWidget* owner)
    : m_owner(owner)
{
}

Text QtSaveFileChooser::ChooseSaveFile(SaveFileRequest const& request)
{
    QWidget* owner = QApplication::activeWindow();
    QFileDialog dialog(owner ? owner : m_owner);
    ConfigureSaveDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return Utf8ToGbk(dialog.selectedFiles().constFirst().toStdString());
}

}
