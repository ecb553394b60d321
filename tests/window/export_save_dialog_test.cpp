#include "app/program_file.h"
#include "export/qt/save_file_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <random>

namespace velmora {
namespace {

namespace fs = std::filesystem;

class SaveDialogFolder : public ::testing::Test {
protected:
    SaveDialogFolder()
    {
        std::random_device seed;
        m_folder = fs::temp_directory_path() / ("velmora-dialog-" + std::to_string(seed()));
        fs::create_directories(m_folder);
    }
    ~SaveDialogFolder() override { fs::remove_all(m_folder); }

    SaveFileRequest Request() const
    {
        return PrepareSaveFileRequest("文本文件丨*.txt"_gbk, Utf8ToGbk(m_folder.string()), "买家信息"_gbk);
    }
    fs::path const& Folder() const { return m_folder; }

private:
    fs::path m_folder;
};

// Answers the modal dialogs that open while the chooser runs, one step per tick.
class DialogAnswerer {
public:
    // Accepts the file dialog; answers an overwrite question with answer.
    explicit DialogAnswerer(QMessageBox::StandardButton answer)
        : m_answer(answer)
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Step(); });
        m_timer.start();
    }

    bool asked_to_overwrite {false};
    QString asked_title;

private:
    void Step()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            asked_to_overwrite = true;
            QMetaObject::invokeMethod(box->button(m_answer), "click", Qt::QueuedConnection);
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            asked_title = dialog->windowTitle();
            // Queued: the overwrite question runs its own loop, in which this timer must tick again.
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    }

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
};

TEST_F(SaveDialogFolder, DialogIsSetUpAsTheRequestAsks)
{
    QFileDialog dialog;
    ConfigureSaveDialog(dialog, Request());
    EXPECT_EQ(dialog.windowTitle(), QString("保存文件"));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.nameFilters(), QStringList {"文本文件 (*.txt)"});
    EXPECT_EQ(fs::path(dialog.directory().absolutePath().toStdString()), Folder());
    EXPECT_EQ(dialog.defaultSuffix(), QString("txt"));
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
}

TEST_F(SaveDialogFolder, AcceptingTheDefaultNameAddsTheExtension)
{
    QtSaveFileChooser chooser;
    DialogAnswerer answerer(QMessageBox::Yes);
    Text const chosen = chooser.ChooseSaveFile(Request());
    EXPECT_EQ(answerer.asked_title, QString("保存文件"));
    EXPECT_EQ(PathFromText(chosen), Folder() / "买家信息.txt");
    EXPECT_FALSE(answerer.asked_to_overwrite);
}

TEST_F(SaveDialogFolder, ExistingFileIsReplacedOnlyAfterTheQuestion)
{
    std::ofstream(Folder() / "买家信息.txt") << "old";
    {
        QtSaveFileChooser chooser;
        DialogAnswerer answerer(QMessageBox::Yes);
        EXPECT_EQ(PathFromText(chooser.ChooseSaveFile(Request())), Folder() / "买家信息.txt");
        EXPECT_TRUE(answerer.asked_to_overwrite);
    }
}

}
}
