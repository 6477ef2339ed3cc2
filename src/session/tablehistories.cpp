#include "session/tablehistories.h"

#include "edit/edithistory.h"
#include "edit/stepnames.h"
#include "catalogue/familycatalogue.h"
#include "transfer/parameterfamily.h"
#include "session/registersession.h"
#include "session/tablestates.h"

TableHistories::TableHistories(RegisterSession &session, QObject *parent) : QObject(parent)
{
    const auto add = [this, &session](const QString &family, EditHistory &history) {
        m_order << family;
        m_histories.insert(family, &history);
        TableStates *states = &session.tableStates();
        history.setStateKeeper(
            [states, family] {
                const TableState::Memo memo = states->state(family).memo();
                return QVariant(QVariantList{memo.touched, memo.settled});
            },
            [states, family](const QVariant &kept) {
                const QVariantList values = kept.toList();
                if (values.size() == 2)
                    states->state(family).restore(TableState::Memo{values[0].toBool(), values[1].toByteArray()});
            });
    };
    for (ParameterFamily *family : session.families())
        if (EditHistory *history = family->editHistory())
            add(FamilyCatalogue::key(family->id()), *history);

    // A read runs record by record: its step spans the whole transfer, and
    // a read into a receiver (verification) changes no cell and makes none.
    connect(&session, &RegisterSession::transferStarted, this, [this](const QString &family, bool write) {
        if (EditHistory *h = of(family); h && !write)
            h->begin();
    });
    connect(&session, &RegisterSession::transferFinished, this,
            [this](const QString &family, bool write, TransferOutcome) {
                if (EditHistory *h = of(family); h && !write)
                    h->finish(StepNames::RegisterRead);
            });
}

std::vector<EditHistory *> TableHistories::all() const
{
    std::vector<EditHistory *> histories;
    for (const QString &family : m_order)
        histories.push_back(m_histories.value(family));
    return histories;
}
