#include "fileinfo/widgets/FileInfoWindow.h"

#include "ui/DialogBorder.h"
#include "ui/StatusCell.h"
#include "ui/Style.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLocale>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QUrl>

namespace veskor {

namespace {

QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.append(url.toLocalFile());
        }
    }
    return files;
}

} // namespace

FileInfoWindow::FileInfoWindow(const IMappedFiles& files, QWidget* parent)
    // A dialog border: the caption and its close box, nothing to minimise or maximise.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowStaysOnTopHint),
      m_files(files) {
    new DialogBorder(this);
    setWindowTitle(tr("Version Resource"));
    setFont(style::uiFont(11, false));
    setFixedSize(kWidth, kHeight);

    m_list = new QTableWidget(0, 2, this);
    m_list->setObjectName("fileInfoList");
    m_list->setGeometry(9, 6, 304, 329);
    m_list->setHorizontalHeaderLabels({tr("     Key"), tr("Value")});
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->horizontalHeader()->setHighlightSections(false);
    m_list->horizontalHeader()->setMinimumSectionSize(20);
    m_list->setColumnWidth(0, 125);
    m_list->setColumnWidth(1, 500);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setMinimumSectionSize(15);
    m_list->verticalHeader()->setDefaultSectionSize(17);
    m_list->setShowGrid(true);
    m_list->setWordWrap(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setTabKeyNavigation(false);

    m_closeButton = new QPushButton(tr("&Close"), this);
    m_closeButton->setObjectName("closeButton");
    m_closeButton->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    m_closeButton->setGeometry(240, 344, 75, 25);
    m_closeButton->setCursor(Qt::PointingHandCursor);
    m_closeButton->setDefault(true);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void FileInfoWindow::setFile(const QString& path) {
    setWindowTitle(tr("Version Resource - [%1]").arg(fileNamePart(path)));
    const QLocale locale;
    FileInfoFormats formats;
    formats.thousandsSeparator = locale.groupSeparator();
    formats.dateTime = [locale](DateTime value) { return localeDateTimeText(value, locale); };
    const std::vector<FileInfoRow> rows = readFileInfoRows(path, m_files, formats);
    m_list->clearContents();
    m_list->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < m_list->rowCount(); ++row) {
        const FileInfoRow& info = rows.at(static_cast<std::size_t>(row));
        // The rows name their keys in English, as the command prints them.
        m_list->setItem(row, 0,
                        new QTableWidgetItem(QCoreApplication::translate(
                            "FileInfoRows", info.key.toUtf8().constData())));
        m_list->setItem(row, 1, new QTableWidgetItem(info.value));
    }
}

void showFileInfo(const QString& path, const IMappedFiles& files, QWidget* parent) {
    FileInfoWindow window(files, parent);
    window.setFile(path);
    window.exec();
}

QStringList fileInfoFilters() {
    return {QCoreApplication::translate("FileInfoWindow", "Executables (*.exe)"),
            QCoreApplication::translate("FileInfoWindow", "Libraries (*.dll *.dpl *.dcl *.vxd)"),
            QCoreApplication::translate("FileInfoWindow", "ActiveX (*.ocx)"),
            QCoreApplication::translate("FileInfoWindow", "VBXs (*.vbx)"),
            QCoreApplication::translate("FileInfoWindow", "Drivers (*.drv *mpd)"),
            QCoreApplication::translate("FileInfoWindow", "All Files (*)")};
}

void chooseFileInfo(const IMappedFiles& files, QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(fileInfoFilters());
    dialog.selectNameFilter(fileInfoFilters().first());
    dialog.setDirectory(QStringLiteral("."));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    showFileInfo(dialog.selectedFiles().first(), files, parent);
}

FileDropTarget::FileDropTarget(QObject* parent) : QObject(parent) {}

FileDropTarget::~FileDropTarget() {
    m_enabled = false;
    release();
}

void FileDropTarget::release() {
    if (m_target) {
        m_target->removeEventFilter(this);
        m_target->setAcceptDrops(m_targetAcceptedDrops);
    }
    m_target = nullptr;
}

void FileDropTarget::setTarget(QWidget* target) {
    if (target == m_target) {
        return;
    }
    release();
    m_target = target;
    if (target != nullptr) {
        m_targetAcceptedDrops = target->acceptDrops();
        target->installEventFilter(this);
        target->setAcceptDrops(m_enabled);
    }
}

void FileDropTarget::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (m_target) {
        m_target->setAcceptDrops(enabled);
    }
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_target || !m_enabled) {
        return false;
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (localFiles(drag->mimeData()).isEmpty()) {
            drag->ignore();
        } else {
            drag->acceptProposedAction();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = localFiles(drop->mimeData());
        if (files.isEmpty()) {
            drop->ignore();
            return true;
        }
        m_files = files;
        m_dropPoint = drop->position().toPoint();
        drop->acceptProposedAction();
        emit dropped();
        return true;
    }
    default:
        return false;
    }
}

FileDropTarget* openFileInfoOnDrop(QWidget* cell, std::shared_ptr<const IMappedFiles> files) {
    // Owned by the cell's window, which frees its cells first, so the cell never sees the target
    // restore it while being destroyed.
    auto* target = new FileDropTarget(cell->window());
    target->setTarget(cell);
    // Queued: the file manager waits for the drop to finish, not for the window to close.
    QObject::connect(
        target, &FileDropTarget::dropped, cell,
        [target, cell, files = std::move(files)] {
            if (target->fileCount() > 0) {
                showFileInfo(target->files().first(), *files, cell->window());
            }
        },
        Qt::QueuedConnection);
    return target;
}

} // namespace veskor
