#pragma once

#include "core/regional.h"
#include "params/articles/articleedits.h"
#include "terminal/terminalfiles.h"

#include <QDialog>
#include <QString>

class ArticleTableModel;
class QListWidget;
class QPushButton;

// The terminal window frmTerminal: writes the command files for the terminal
// and imports the terminal's data files into the article table. It never
// touches the register link. Shown modally by the main window; like the
// families it reports through signals and leaves the message dialog and the
// general error report to the main window.
class TfrmTerminal : public QDialog {
    Q_OBJECT
public:
    TfrmTerminal(ArticleTableModel &articles, Regional regional, QWidget *parent = nullptr);

    // The list line of an article row, as ListArtikli shows it.
    static QString listLine(const ArticleRow &row, int number);

    QListWidget *list() const { return m_list; }

    // The filter lists of the two file dialogs, the entry the open dialog
    // starts with (the third: terminal files) and the default names.
    static QString saveFilter();
    static QString openFilter();
    static QString openFilterShown();
    static const QString CommandFileName; // "Command.iv"
    static const QString DataFileName;    // "sold.iv"

public slots:
    // Rebuilds ListArtikli from the article table, with no line selected.
    void FormShow();
    void BtnExportGPRSClick();
    void BtnUpisSelektovanihClick();
    void BtnCitanjeClick();
    void BtnDnevniClick();
    void BtnImportGPRSClick();
    void BtnPrometClick();

signals:
    void message(const QString &title, const QString &text);
    // A notice for Qt's standard information box (not the message dialog).
    void information(const QString &title, const QString &text);
    // An error for the general error report.
    void programError(const QString &text);
    // After a turnover import: the article table's current cell is to become
    // row 1, column 1 and the article edit fields are to show `fill`.
    void firstArticleShown(const ArticleEditFill &fill);

protected:
    void showEvent(QShowEvent *event) override;

private:
    enum class Selection { All, Selected };
    void sendArticles(TerminalFiles::Command command, Selection selection);
    void writeCommandOnly(TerminalFiles::Command command);
    bool writeFile(const QString &path, const QByteArray &bytes);
    void finishTurnover();
    void reportSkipped(int skipped);
    template <typename F>
    void guarded(F &&handler);

    ArticleTableModel &m_articles;
    Regional m_regional;
    QListWidget *m_list;
};
