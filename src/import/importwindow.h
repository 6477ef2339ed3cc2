#pragma once

#include "import/importplan.h"
#include "import/sheet.h"

#include <QDialog>
#include <QFutureWatcher>
#include <array>
#include <functional>

class ProblemListModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class SheetPreviewModel;

// The import window frmImport: a shop's list (CSV, XLSX, ODS) into the
// article or the department table. The file is read, and every plan worked
// out, on a worker thread, so a sheet of 50 000 rows never holds the window;
// nothing in the table changes before btnImportApply, which hands the whole
// plan to `apply` at once.
class ImportWindow : public QDialog {
    Q_OBJECT
public:
    // `table`: the request for the table as it is now (its rows, start-up
    // rows and tax rates); `apply`: puts a plan's changed rows in one call.
    ImportWindow(const ImportTarget &target, std::function<ImportRequest()> table,
                 std::function<void(const ImportPlan &)> apply, QWidget *parent = nullptr);
    ~ImportWindow() override;

    // Reads the file on the worker thread; bookRead() follows.
    void openFile(const QString &path);
    // Until the result of a read or a plan has been taken, not only while
    // its thread runs: the thread ends before its result reaches the window.
    bool busy() const { return m_readPending || m_planPending; }
    const ImportPlan &plan() const { return m_plan; }
    const Workbook &book() const { return m_book; }

signals:
    void bookRead();
    void planned();
    void applied();

private:
    void build();
    QComboBox *mappingCombo(ImportField field);
    void btnImportFileClick();
    void onBookRead();
    void onSheetChosen(int index);
    void onHeaderToggled();
    void fillMappingCombos();
    void setMapping(const ImportMapping &mapping);
    ImportMapping mapping() const;
    void replan();
    void onPlanned();
    void btnImportApplyClick();
    void btnImportSaveMappingClick();
    void btnImportLoadMappingClick();
    void btnImportSaveProblemsClick();
    int headingRow() const;
    const Sheet &sheet() const;
    // Saves whole or not at all; false after telling why in the summary line.
    bool saveFile(const QString &path, const QByteArray &bytes);

    const ImportTarget &m_target;
    std::function<ImportRequest()> m_table;
    std::function<void(const ImportPlan &)> m_apply;
    Workbook m_book;
    int m_guessedHeading = -1;
    ImportPlan m_plan;
    bool m_planCurrent = false;
    bool m_filling = false;
    int m_generation = 0;
    QFutureWatcher<Workbook> m_reading;
    QFutureWatcher<ImportPlan> m_planning;
    int m_planGeneration = 0;
    bool m_replanAgain = false;
    bool m_readPending = false;
    bool m_planPending = false;
    QString m_appliedNote; // what the last apply did, shown with the next summary

    QPushButton *m_file = nullptr;
    QLabel *m_fileName = nullptr;
    QComboBox *m_sheet = nullptr;
    QCheckBox *m_header = nullptr;
    QTableView *m_preview = nullptr;
    SheetPreviewModel *m_previewModel = nullptr;
    std::array<QComboBox *, ImportFieldCount> m_map{};
    QComboBox *m_mode = nullptr;
    QLabel *m_summary = nullptr;
    QTableView *m_problems = nullptr;
    ProblemListModel *m_problemModel = nullptr;
    QPushButton *m_applyButton = nullptr;
};
