#pragma once
#include <QDialog>
#include <QString>
#include <filesystem>
#include <functional>

class QLineEdit;
class QTableWidget;

namespace veskor {

class IFileStore;
class SaintTable;

// "Saint's Days": the whole name-day table as a list of names and their days, editable in place,
// with a field that finds a name. The rows go back into the table only when the window closes
// after a change; the caller then saves the table.
class SaintEditorWindow final : public QDialog {
    Q_OBJECT

public:
    explicit SaintEditorWindow(SaintTable& table, QWidget* parent = nullptr);

    // True once an in-place edit changed a name, even back to its first text.
    [[nodiscard]] bool isModified() const { return m_modified; }
    // Selects the first row whose name equals the find field's text in any letter case, or
    // says "Not found.". An empty field does nothing.
    void findName();

    void done(int result) override;

private:
    void fillList();
    void storeList();

    SaintTable& m_table;
    QLineEdit* m_findField;
    QTableWidget* m_list;
    bool m_modified = false;
};

// Shows the editor modally and, when a name was changed, saves the table to `file`; a failed
// save goes to `report` with the error's text (the table keeps the edits).
void editSaints(SaintTable& table, IFileStore& files, const std::filesystem::path& file,
                const std::function<void(const QString&)>& report, QWidget* parent);

} // namespace veskor
