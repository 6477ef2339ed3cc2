#pragma once

#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class TraceModel;
class TraceRecorder;

// The link trace window "Праћење везе": every event of the register line in
// a table, the selected frame read field by field below it, saving to a text
// file, clearing, and following the newest event. Not modal: it can stay
// open beside the main window during a transfer. Password bytes read "••"
// until "Прикажи лозинке" is ticked, and then in the window only: a saved
// file and the clipboard keep them hidden.
class TraceWindow : public QWidget {
    Q_OBJECT
public:
    struct Source {
        std::function<QString()> program; // program name and version
        std::function<QString()> port;    // the register port in force
        std::function<QString()> serial;  // the serial number typed
    };

    TraceWindow(TraceRecorder &recorder, Source source, QWidget *parent = nullptr);

    TraceModel &model() { return *m_model; }
    // The text Ctrl+C puts on the clipboard: the selected rows, one line each,
    // passwords hidden as in a saved file (the clipboard leaves the window).
    QString selectedText() const;

public slots:
    void btnTraceSaveClick();
    void btnTraceClearClick();

signals:
    // Feedback for the message dialog.
    void message(const QString &title, const QString &text);
    void status(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showSelectedFrame();
    void updateDroppedNote();
    void followNewest();

    TraceRecorder &m_recorder;
    Source m_source;
    TraceModel *m_model = nullptr;
    QTableView *m_table = nullptr;
    QPlainTextEdit *m_frame = nullptr;
    QLabel *m_dropped = nullptr;
    QCheckBox *m_follow = nullptr;
    QCheckBox *m_secrets = nullptr;
};
