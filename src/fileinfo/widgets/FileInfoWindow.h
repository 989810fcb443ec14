#pragma once
// The file information window: a file's path, size, version texts and document summary, shown
// modally; opened from the bar's menu through a file dialog, or by dropping files on the
// name-day cell.

#include "fileinfo/core/FileInfoRows.h"
#include "platform/MappedFile.h"

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <memory>

class QPushButton;
class QTableWidget;

namespace veskor {

class FileInfoWindow final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 325;
    static constexpr int kHeight = 376;

    // `files` must outlive the window.
    explicit FileInfoWindow(const IMappedFiles& files, QWidget* parent = nullptr);

    // Reads the file and lists it; the caption names it.
    void setFile(const QString& path);

    [[nodiscard]] QTableWidget* list() const { return m_list; }
    [[nodiscard]] QPushButton* closeButton() const { return m_closeButton; }

private:
    const IMappedFiles& m_files;
    QTableWidget* m_list = nullptr;
    QPushButton* m_closeButton = nullptr;
};

// Shows the file's information modally and frees the window when it closes.
void showFileInfo(const QString& path, const IMappedFiles& files, QWidget* parent);

// The open dialog's filters, the first one selected.
QStringList fileInfoFilters();
// Asks for an existing file (starting in the current folder) and shows its information;
// cancelling does nothing.
void chooseFileInfo(const IMappedFiles& files, QWidget* parent);

// Files dropped from a file manager (text/uri-list of local files) onto a widget: the target
// accepts drops while enabled and keeps the names and the point of the last drop.
class FileDropTarget final : public QObject {
    Q_OBJECT
public:
    explicit FileDropTarget(QObject* parent = nullptr);
    // Stops the drops and gives the target its own setting back.
    ~FileDropTarget() override;
    FileDropTarget(const FileDropTarget&) = delete;
    FileDropTarget& operator=(const FileDropTarget&) = delete;
    FileDropTarget(FileDropTarget&&) = delete;
    FileDropTarget& operator=(FileDropTarget&&) = delete;

    // The previous target gets its own setting back; nullptr for none.
    void setTarget(QWidget* target);
    [[nodiscard]] QWidget* target() const { return m_target; }
    void setEnabled(bool enabled);
    [[nodiscard]] bool isEnabled() const { return m_enabled; }

    [[nodiscard]] int fileCount() const { return static_cast<int>(m_files.size()); }
    // In the order the drop gave them.
    [[nodiscard]] const QStringList& files() const { return m_files; }
    // In the target's coordinates.
    [[nodiscard]] QPoint dropPoint() const { return m_dropPoint; }

signals:
    void dropped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void release();

    QPointer<QWidget> m_target;
    bool m_targetAcceptedDrops = false;
    bool m_enabled = true;
    QStringList m_files;
    QPoint m_dropPoint;
};

// Files dropped on `cell` open the window for the first of them, once the drop is over.
FileDropTarget* openFileInfoOnDrop(QWidget* cell, std::shared_ptr<const IMappedFiles> files);

} // namespace veskor
