#pragma once

// A family only the tests know: three notes, kept in the register's first
// three header lines (so that the simulator answers it), added to the
// catalogue and to the session's constructors for as long as its
// registration lives. Nothing outside tests names it.
#include "catalogue/familycatalogue.h"
#include "params/headerlines/headerlinefamily.h"
#include "protocol/commands.h"
#include "protocol/fields.h"
#include "session/familyfactories.h"
#include "transfer/familycontext.h"
#include "transfer/parameterfamily.h"
#include "transfer/transferengine.h"

#include <QAbstractTableModel>
#include <array>

class NotesTable : public QAbstractTableModel {
public:
    static constexpr int Count = 3;
    std::array<QString, Count> notes;

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : Count; }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        return role == Qt::DisplayRole || role == Qt::EditRole ? QVariant(notes[std::size_t(index.row())]) : QVariant();
    }
    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (role != Qt::EditRole || !index.isValid())
            return false;
        notes[std::size_t(index.row())] = value.toString();
        emit dataChanged(index, index);
        return true;
    }
};

class NotesFamily : public ParameterFamily {
public:
    static constexpr FamilyId Id = FamilyId(40);

    explicit NotesFamily(FamilyContext &ctx)
    {
        setId(Id);
        TransferRules r(FamilyCatalogue::key(Id), Command::ReadHeaderLine, Command::WriteHeaderLine, NotesTable::Count,
                        TransferRules::Next::SharedIndex);
        r.storeRead = [this](int index, const QByteArray &frame) {
            table.setData(table.index(index, 0), textOf(frame), Qt::EditRole);
            return true;
        };
        r.readAsWrite = [](int index, const QByteArray &frame) { return wire(index, textOf(frame)); };
        r.writeRequest = [this](int index) { return std::optional<QByteArray>(wire(index, table.notes[std::size_t(index)])); };
        m_transfer = new TransferEngine(ctx.driver, *this, std::move(r));
        endsWith(*m_transfer);
    }

    NotesTable table;

    TransferEngine *records() override { return m_transfer; }
    int recordCount() const override { return NotesTable::Count; }
    QAbstractItemModel *tableModel() override { return &table; }
    QList<RecordField> recordFields(const QByteArray &wire, const Regional &regional) const override
    {
        if (wire.size() < 1 + HeaderLineFamily::FieldWidth)
            return ParameterFamily::recordFields(wire, regional);
        return {{QStringLiteral("Белешка"), Fields::decodeText(wire.mid(1)).trimmed(), 0}};
    }
    bool setField(int index, int column, const QString &text) override
    {
        return table.setData(table.index(index, column), text, Qt::EditRole);
    }

    // Registers the family while it lives.
    struct Registration {
        Registration()
        {
            FamilyDescription d;
            d.id = Id;
            d.key = QStringLiteral("notes");
            d.title = QStringLiteral("Белешке");
            d.controlName = QStringLiteral("Notes");
            d.profileFile = QStringLiteral("notes.csv");
            d.recordCount = NotesTable::Count;
            d.profileColumns = {QStringLiteral("Белешка")};
            FamilyCatalogue::add(d);
            FamilyFactories::add(Id, [](FamilyContext &ctx, const FamilyFinder &) {
                return std::make_unique<NotesFamily>(ctx);
            });
        }
        ~Registration()
        {
            FamilyFactories::remove(Id);
            FamilyCatalogue::remove(Id);
        }
    };

protected:
    void startRead() override { actWith(*m_transfer, false); }
    void startWrite() override { actWith(*m_transfer, true); }

private:
    static QString textOf(const QByteArray &frame) { return Fields::decodeText(TransferEngine::dataPart(frame).mid(1)).trimmed(); }
    static QByteArray wire(int index, const QString &text) { return QByteArray(1, char(index)) + HeaderLineFamily::lineField(text); }

    TransferEngine *m_transfer = nullptr;
};
