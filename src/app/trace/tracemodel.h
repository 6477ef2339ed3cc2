#pragma once

#include "link/traceformat.h"

#include <QAbstractTableModel>
#include <QTimer>

class TraceRecorder;

// The trace as a table. It follows the recorder in batches (a few times a
// second at most), so a 4000-article transfer costs one row insertion per
// batch instead of one per frame.
class TraceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int BatchIntervalMs = 250;

    explicit TraceModel(const TraceRecorder &recorder, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The recorder index of a row, or -1 when the event has since been dropped.
    int eventIndex(int row) const;
    // Brings the rows up to the recorder now (the batch timer does it too).
    void sync();
    // Whether the bytes column shows the password bytes (hidden at first).
    void setSecrets(TraceFormat::Secrets secrets);
    TraceFormat::Secrets secrets() const { return m_secrets; }

signals:
    // Rows were appended by a sync.
    void rowsAppended();

private:
    void scheduleSync();

    const TraceRecorder &m_recorder;
    QTimer m_batch;
    qint64 m_shownDropped = 0; // events dropped before the first shown row
    int m_shown = 0;
    TraceFormat::Secrets m_secrets = TraceFormat::Secrets::Hidden;
};
