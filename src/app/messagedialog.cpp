#include "app/messagedialog.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

namespace {

// The box as laid out for a message of two or three lines.
constexpr int BaseWidth = 386;
constexpr int BaseHeight = 137;
constexpr int Left = 8;
constexpr int TitleHeight = 20;
constexpr int TextTop = 29;
constexpr int BaseTextWidth = 361;
constexpr int BaseTextHeight = 41;
constexpr int RightMargin = BaseWidth - Left - BaseTextWidth;
constexpr int ButtonLeft = 152;
constexpr int ButtonWidth = 80;
constexpr int ButtonHeight = 24;
constexpr int ButtonGap = 78 - (TextTop + BaseTextHeight);
constexpr int BottomMargin = BaseHeight - (78 + ButtonHeight);
// Room kept for the window frame and its title bar, which the window
// manager adds around the box.
constexpr int FrameWidthAllowance = 16;
constexpr int FrameHeightAllowance = 40;

// The text as the label shows it: a word wider than `maxWidth` gets a
// zero-width break opportunity after each character, so that it wraps
// instead of running past the edge.
QString breakableText(const QString &text, const QFontMetrics &metrics, int maxWidth)
{
    static const QRegularExpression word(QStringLiteral("\\S+"));
    QString shown;
    qsizetype done = 0;
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        shown += text.mid(done, match.capturedStart() - done);
        const QString w = match.captured();
        if (metrics.horizontalAdvance(w) <= maxWidth) {
            shown += w;
        } else {
            for (QChar c : w) {
                shown += c;
                shown += QChar(0x200B);
            }
        }
        done = match.capturedEnd();
    }
    return shown + text.mid(done);
}

} // namespace

MessageDialog::MessageDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Dialog"));
    setFixedSize(BaseWidth, BaseHeight);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(13);
    setFont(arial);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("Naslov"));
    m_title->setGeometry(Left, 0, BaseTextWidth, TitleHeight);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setAutoFillBackground(true);
    QPalette titlePalette = m_title->palette();
    titlePalette.setColor(QPalette::WindowText, Qt::blue);
    m_title->setPalette(titlePalette);

    // The text wraps at word boundaries; it can be selected and copied (a
    // message may carry a command for the user to run).
    m_textArea = new QScrollArea(this);
    m_textArea->setObjectName(QStringLiteral("tekstArea"));
    m_textArea->setFrameShape(QFrame::NoFrame);
    m_textArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_textArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_textArea->setWidgetResizable(true);
    m_text = new QLabel;
    m_text->setObjectName(QStringLiteral("tekst"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setFocusPolicy(Qt::StrongFocus);
    m_textArea->setWidget(m_text);

    m_button = new QPushButton(QStringLiteral("У РЕДУ"), this);
    m_button->setObjectName(QStringLiteral("Button1"));
    m_button->setDefault(true);
    connect(m_button, &QPushButton::clicked, this, &QDialog::accept);
    m_second = new QPushButton(this);
    m_second->setObjectName(QStringLiteral("Button2"));
    m_second->hide();
    connect(m_second, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(m_text, m_button);
    setTabOrder(m_button, m_second);
    fitToText();
}

QString MessageDialog::title() const { return m_title->text(); }
QString MessageDialog::text() const { return m_message; }

QSize MessageDialog::roomOnScreen() const
{
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(BaseWidth, BaseHeight);
    return QSize(std::max(BaseWidth, available.width() - FrameWidthAllowance),
                 std::max(BaseHeight, available.height() - FrameHeightAllowance));
}

void MessageDialog::fitToText()
{
    const QSize room = roomOnScreen();
    const int maxTextWidth = room.width() - Left - RightMargin;
    const int maxTextHeight = room.height() - TextTop - ButtonGap - ButtonHeight - BottomMargin;

    // Wide enough for the title and for the widest word, which does not wrap
    // unless it is wider than the screen.
    int widest = QFontMetrics(m_title->font()).horizontalAdvance(m_title->text());
    const QFontMetrics metrics(m_text->font());
    const int slack = 2 * m_text->margin() + 2;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString &word : m_message.split(blanks, Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word) + slack);
    m_text->setText(breakableText(m_message, metrics, maxTextWidth - slack));
    int textWidth = std::clamp(widest, BaseTextWidth, maxTextWidth);
    int textHeight = std::max(BaseTextHeight, m_text->heightForWidth(textWidth));
    if (textHeight > maxTextHeight && textWidth < maxTextWidth) {
        // Too tall at this width: use the whole width of the screen.
        textWidth = maxTextWidth;
        textHeight = std::max(BaseTextHeight, m_text->heightForWidth(textWidth));
    }
    const int shownHeight = std::min(textHeight, maxTextHeight);

    const int width = Left + textWidth + RightMargin;
    const int buttonTop = TextTop + shownHeight + ButtonGap;
    const int height = buttonTop + ButtonHeight + BottomMargin;
    m_title->setGeometry(Left, 0, textWidth, TitleHeight);
    m_textArea->setGeometry(Left, TextTop, textWidth, shownHeight);
    placeButtons(width, buttonTop);
    setFixedSize(width, height);
}

void MessageDialog::placeButtons(int width, int top)
{
    const int left = ButtonLeft + (width - BaseWidth) / 2;
    if (m_yes.isEmpty()) {
        // Centred under the text: left 152 in the box of 386.
        m_button->setGeometry(left, top, ButtonWidth, ButtonHeight);
        return;
    }
    // A question: its two buttons side by side around the middle.
    const int gap = 8;
    const int middle = left + ButtonWidth / 2;
    m_button->setGeometry(middle - gap / 2 - ButtonWidth, top, ButtonWidth, ButtonHeight);
    m_second->setGeometry(middle + gap / 2, top, ButtonWidth, ButtonHeight);
}

void MessageDialog::showEvent(QShowEvent *event)
{
    m_button->setText(m_yes.isEmpty() ? QStringLiteral("У РЕДУ") : m_yes);
    fitToText();
    QDialog::showEvent(event);
    if (!m_yes.isEmpty())
        m_second->setFocus();
}

void MessageDialog::placeOverOwner()
{
    if (!parentWidget())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(parentWidget()->geometry().center());
    if (const QScreen *screen = parentWidget()->screen()) {
        // Centred over the owner, but never off the screen.
        const QRect available = screen->availableGeometry();
        const int rightmost = std::max(available.left(), available.right() + 1 - frame.width());
        const int lowest = std::max(available.top(), available.bottom() + 1 - frame.height());
        frame.moveLeft(std::clamp(frame.left(), available.left(), rightmost));
        frame.moveTop(std::clamp(frame.top(), available.top(), lowest));
    }
    move(frame.topLeft());
}

void MessageDialog::showMessage(const QString &title, const QString &text)
{
    m_queue.append({title, text});
    if (m_showing)
        return;
    m_showing = true;
    while (!m_queue.isEmpty()) {
        const auto next = m_queue.takeFirst();
        m_message = next.second;
        m_title->setText(next.first);
        fitToText();
        m_history.append(next);
        emit messageShown(next.first, next.second);
        if (!m_nonBlocking) {
            placeOverOwner();
            exec();
        }
    }
    m_showing = false;
}

bool MessageDialog::ask(const QString &title, const QString &text, const QString &yes, const QString &no)
{
    m_questions.append({title, text});
    emit questionAsked(title, text);
    if (m_nonBlocking)
        return m_scripted.isEmpty() || m_scripted.takeFirst();
    m_yes = yes;
    m_second->setText(no);
    m_second->show();
    m_button->setDefault(false);
    m_second->setDefault(true);
    m_message = text;
    m_title->setText(title);
    fitToText();
    placeOverOwner();
    const bool answer = exec() == QDialog::Accepted;
    m_yes.clear();
    m_second->hide();
    m_second->setDefault(false);
    m_button->setDefault(true);
    return answer;
}
