// The file information window off screen: what it lists, drops on a cell, and the menu's file
// dialog.

#include "fileinfo/widgets/FileInfoWindow.h"

#include "platform/linux/PosixMappedFile.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>

namespace veskor {

namespace {

// Answers each modal window as it appears, in turn, while `act` runs; returns how many appeared.
int answerModals(const std::vector<std::function<void(QWidget*)>>& answers,
                 const std::function<void()>& act) {
    std::size_t seen = 0;
    QPointer<QWidget> last;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == last) {
            return;
        }
        last = modal;
        if (seen < answers.size()) {
            answers.at(seen)(modal);
        } else {
            modal->close(); // one too many: counted and closed, so that the test ends
        }
        ++seen;
    });
    poll.start(5);
    act();
    return static_cast<int>(seen);
}

} // namespace

class FileInfoWindowTest final : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_plain = m_dir->filePath("notes.txt");
        QFile plain(m_plain);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("some notes\n");
        plain.close();
        m_msi = m_dir->filePath("setup.msi");
        QCOMPARE(QProcess::execute("msibuild", {m_msi, "-s", "Setup title", "Author"}), 0);
    }

    void listsTheRowsTheCoreComputes() {
        FileInfoWindow window(m_files);
        QCOMPARE(window.windowTitle(), QString("Version Resource"));
        window.setFile(m_msi);
        QCOMPARE(window.windowTitle(), QString("Version Resource - [setup.msi]"));
        const QTableWidget* list = window.list();
        QCOMPARE(list->horizontalHeaderItem(0)->text(), QString("     Key"));
        QStringList expected;
        for (const FileInfoRow& row : readFileInfoRows(m_msi, m_files, {})) {
            expected << row.key << row.value;
        }
        QStringList shown;
        for (int row = 0; row < list->rowCount(); ++row) {
            shown << list->item(row, 0)->text() << list->item(row, 1)->text();
        }
        QCOMPARE(list->rowCount(), 31); // with the separator and the summary
        QCOMPARE(shown, expected);

        // Filled anew for another file: no summary rows left behind.
        window.setFile(m_plain);
        QCOMPARE(list->rowCount(), 17);
    }

    void closeButtonEndsTheModalWindow() {
        const int shown = answerModals(
            {[](QWidget* modal) { qobject_cast<FileInfoWindow*>(modal)->closeButton()->click(); }},
            [this] { showFileInfo(m_plain, m_files, nullptr); });
        QCOMPARE(shown, 1);
    }

    void threeDroppedFilesOpenOneWindowForTheFirst() {
        QWidget host;
        auto* cell = new QWidget(&host);
        cell->resize(100, 20);
        FileDropTarget* target =
            openFileInfoOnDrop(cell, std::make_shared<const PosixMappedFiles>());
        QVERIFY(cell->acceptDrops());

        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(m_msi), QUrl::fromLocalFile(m_plain),
                      QUrl::fromLocalFile(m_dir->filePath("third.exe"))});
        QDragEnterEvent enter(QPoint(5, 6), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cell, &enter);
        QVERIFY(enter.isAccepted());

        QStringList captions;
        const int shown = answerModals({[&captions](QWidget* modal) {
                                           captions.append(modal->windowTitle());
                                           modal->close();
                                       }},
                                       [&] {
                                           QDropEvent drop(QPointF(7, 8), Qt::CopyAction, &mime,
                                                           Qt::LeftButton, Qt::NoModifier);
                                           QApplication::sendEvent(cell, &drop);
                                           QVERIFY(drop.isAccepted());
                                           // The window opens after the drop is over.
                                           QCOMPARE(captions.size(), 0);
                                           QTRY_COMPARE(captions.size(), 1);
                                           QCoreApplication::processEvents();
                                       });
        QCOMPARE(shown, 1);
        QCOMPARE(captions, QStringList{"Version Resource - [setup.msi]"});
        QCOMPARE(target->fileCount(), 3);
        QCOMPARE(target->files().at(1), m_plain);
        QCOMPARE(target->dropPoint(), QPoint(7, 8));
    }

    void dropTargetFollowsEnabledAndGivesTheCellBack() {
        QWidget cell;
        cell.setAcceptDrops(false);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(m_plain)});
        QMimeData web;
        web.setUrls({QUrl("https://example.org/a.exe")});
        {
            FileDropTarget target;
            target.setTarget(&cell);
            QVERIFY(cell.acceptDrops());
            QDragEnterEvent remote(QPoint(1, 1), Qt::CopyAction, &web, Qt::LeftButton,
                                   Qt::NoModifier);
            QApplication::sendEvent(&cell, &remote);
            QVERIFY(!remote.isAccepted()); // no local file in it

            target.setEnabled(false);
            QVERIFY(!cell.acceptDrops());
            QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&cell, &drop);
            QCOMPARE(target.fileCount(), 0);

            target.setEnabled(true);
        }
        QVERIFY(!cell.acceptDrops()); // its own setting again

        // A target that goes first is simply forgotten.
        FileDropTarget target;
        {
            QWidget shortLived;
            target.setTarget(&shortLived);
        }
        QCOMPARE(target.target(), nullptr);
    }

    void menuCommandAsksForAnExistingFile() {
        int checked = 0;
        const auto inspect = [&checked](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->nameFilters(), fileInfoFilters());
            QCOMPARE(dialog->nameFilters().size(), 6);
            QCOMPARE(dialog->selectedNameFilter(), QString("Executables (*.exe)"));
            QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
            QCOMPARE(dialog->directory().absolutePath(), QDir::current().absolutePath());
            ++checked;
        };
        // Cancelled: nothing else opens.
        QCOMPARE(answerModals({[&inspect](QWidget* modal) {
                                  inspect(modal);
                                  modal->close();
                              }},
                              [this] { chooseFileInfo(m_files, nullptr); }),
                 1);
        // Chosen: the window for that file.
        QString caption;
        QCOMPARE(answerModals({[&](QWidget* modal) {
                                   inspect(modal);
                                   auto* dialog = qobject_cast<QFileDialog*>(modal);
                                   dialog->selectFile(m_plain);
                                   QMetaObject::invokeMethod(dialog, "accept");
                               },
                               [&caption](QWidget* modal) {
                                   caption = modal->windowTitle();
                                   modal->close();
                               }},
                              [this] { chooseFileInfo(m_files, nullptr); }),
                 2);
        QCOMPARE(checked, 2);
        QCOMPARE(caption, QString("Version Resource - [notes.txt]"));
    }

private:
    PosixMappedFiles m_files;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_plain;
    QString m_msi;
};

} // namespace veskor

QTEST_MAIN(veskor::FileInfoWindowTest)
#include "FileInfoWindowTest.moc"
