#include "session/tablestates.h"

#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/headerlines/headerlinefamily.h"
#include "params/logo/logofamily.h"
#include "params/operators/operatorfamily.h"
#include "params/passwords/passwordfamily.h"
#include "params/taxrates/taxratefamily.h"
#include "session/registersession.h"

#include <QAbstractItemModel>
#include <QCryptographicHash>
#include <QImage>

namespace {

void addText(QCryptographicHash &hash, const QString &text)
{
    // The length first, so that cells cannot run into one another.
    const QByteArray bytes = text.toUtf8();
    const qint64 size = bytes.size();
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(&size), sizeof size));
    hash.addData(bytes);
}
} // namespace

const QString TableStates::PasswordsFamily = QStringLiteral("passwords");

TableStates::TableStates(RegisterSession &session, QObject *parent) : QObject(parent)
{
    HeaderLineFamily *header = &session.headerLines();
    add(header->transfer().rules().family, [header] {
        QStringList lines;
        for (int i = 0; i < HeaderLineFamily::LineCount; ++i)
            lines << header->line(i);
        return digestOf(lines);
    });
    auto addModel = [this](const QString &family, const QAbstractItemModel *model) {
        add(family, [model] { return digestOf(*model); });
    };
    addModel(session.taxRates().transfer().rules().family, &session.taxRates().table());
    addModel(session.departments().transfer().rules().family, &session.departments().model());
    addModel(session.articles().transfer().rules().family, &session.articles().model());
    addModel(session.groups().transfer().rules().family, &session.groups().table());
    addModel(session.operators().transfer().rules().family, &session.operators().table());
    LogoFamily *logo = &session.logo();
    m_logoFamily = logo->rows().rules().family;
    add(m_logoFamily, [logo] { return digestOf(logo->picture()); });
    PasswordFamily *passwords = &session.passwords();
    add(PasswordsFamily, [passwords] { return digestOf({passwords->serviceText(), passwords->reportText()}); });

    connect(&session, &RegisterSession::transferStarted, this, &TableStates::onStarted);
    connect(&session, &RegisterSession::transferFinished, this, &TableStates::onFinished);
    for (TransferEngine *engine : session.transfers())
        m_engines.insert(engine->rules().family, engine);
    connect(&session, &RegisterSession::recordConfirmed, this, [this](const QString &family, int index) {
        // A read reply is stored in the table: it now holds register data.
        if (m_activeWrite || !m_states.contains(family))
            return;
        m_states[family]->touch();
        m_readRecords.insert(index);
    });
    // The logo's write ends with the height record, after its rows.
    connect(logo, &LogoFamily::writeCompleted, this, [this] { writeDone(m_logoFamily); });
    connect(logo, &LogoFamily::pictureChanged, this, [this] { state(m_logoFamily).touch(); });
    connect(logo, &LogoFamily::pictureLoaded, this, [this] { loaded(m_logoFamily); });
    connect(passwords, &PasswordFamily::passwordsRead, this, [this] { loaded(PasswordsFamily); });
    connect(passwords, &PasswordFamily::writeCompleted, this, [this] { state(PasswordsFamily).settle(); });
}

void TableStates::add(const QString &family, TableState::Digest digest)
{
    m_order << family;
    m_owned.push_back(std::make_unique<TableState>(std::move(digest)));
    m_states.insert(family, m_owned.back().get());
}

TableState &TableStates::state(const QString &family)
{
    Q_ASSERT(m_states.contains(family));
    return *m_states.value(family);
}

bool TableStates::holdsOnlyDefaults(const QString &family) const
{
    const TableState *s = m_states.value(family);
    return s && s->holdsOnlyDefaults();
}

QStringList TableStates::withUnsavedEdits() const
{
    QStringList families;
    for (const QString &family : m_order)
        if (m_states.value(family)->hasUnsavedEdits())
            families << family;
    return families;
}

void TableStates::startUp()
{
    for (const auto &s : m_owned)
        s->startUp();
    m_sent.clear();
    m_activeWrite = false;
}

void TableStates::loaded(const QString &family)
{
    TableState &s = state(family);
    s.touch();
    s.settle();
}

void TableStates::saved(const QString &family) { state(family).settle(); }

void TableStates::onStarted(const QString &family, bool write)
{
    m_activeWrite = write;
    if (!m_states.contains(family))
        return;
    if (write) {
        m_sent.insert(family, m_states[family]->digest());
    } else {
        m_readRecords.clear();
        m_readFrom = m_states[family]->digest();
        m_readOverEdits = m_states[family]->hasUnsavedEdits();
    }
}

void TableStates::onFinished(const QString &family, bool write, TransferOutcome outcome)
{
    m_activeWrite = false;
    if (outcome != TransferOutcome::Completed || !m_states.contains(family))
        return;
    if (!write) {
        // Rows the read did not reach keep what they held. Edits are taken as
        // replaced only by a read of every record that changed the table (a
        // read into a receiver leaves the table as it was).
        const TransferEngine *engine = m_engines.value(family);
        const bool whole = engine && m_readRecords.size() >= engine->rules().recordCount;
        if (!m_readOverEdits || (whole && m_states[family]->digest() != m_readFrom))
            m_states[family]->settle();
    } else if (family != m_logoFamily) {
        writeDone(family);
    }
}

void TableStates::writeDone(const QString &family)
{
    if (m_sent.contains(family))
        state(family).settle(m_sent.take(family));
}

QByteArray TableStates::digestOf(const QAbstractItemModel &model)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int row = 0; row < model.rowCount(); ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            addText(hash, model.index(row, column).data().toString());
    return hash.result();
}

QByteArray TableStates::digestOf(const QImage &picture)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const qint64 size[2] = {rgb.width(), rgb.height()};
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(size), sizeof size));
    for (int y = 0; y < rgb.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 4));
    return hash.result();
}

QByteArray TableStates::digestOf(const QStringList &texts)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &text : texts)
        addText(hash, text);
    return hash.result();
}
