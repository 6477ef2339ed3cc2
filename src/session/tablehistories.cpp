#include "session/tablehistories.h"

#include "edit/edithistory.h"
#include "edit/stepnames.h"
#include "params/articles/articlefamily.h"
#include "params/departments/departmentfamily.h"
#include "params/groups/groupfamily.h"
#include "params/operators/operatorfamily.h"
#include "params/taxrates/taxratefamily.h"
#include "session/registersession.h"
#include "session/tablestates.h"

TableHistories::TableHistories(RegisterSession &session, QObject *parent) : QObject(parent)
{
    const auto add = [this, &session](const TransferEngine &engine, EditHistory &history) {
        const QString family = engine.rules().family;
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
    add(session.taxRates().transfer(), session.taxRates().table().history());
    add(session.departments().transfer(), session.departments().model().history());
    add(session.articles().transfer(), session.articles().model().history());
    add(session.groups().transfer(), session.groups().table().history());
    add(session.operators().transfer(), session.operators().table().history());

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
