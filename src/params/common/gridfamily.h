#pragma once

#include "transfer/familycontext.h"
#include "transfer/parameterfamily.h"
#include "params/common/textgrid.h"
#include "transfer/transferengine.h"

#include <QStringList>
#include <functional>
#include <optional>

// A family whose records are the rows of a text grid (row r + 1 holds record
// r, its cells from column 1 on): the groups and the operators. The read
// follows the record number each reply carries; each write request is built
// from the row and checked before it is sent. No read-back after a write.
class GridFamily : public ParameterFamily {
    Q_OBJECT
public:
    // What a grid family is.
    struct Description {
        Description(QString familyName, std::uint8_t read, std::uint8_t write, int count, int replyBytes,
                    int writeBytes)
            : family(std::move(familyName)), readCommand(read), writeCommand(write), recordCount(count),
              replyLength(replyBytes), writeLength(writeBytes)
        {
        }
        QString family;
        std::uint8_t readCommand = 0;
        std::uint8_t writeCommand = 0;
        int recordCount = 0;
        int replyLength = 0; // a read reply's whole record
        int writeLength = 0; // the write request's data, also the reply's first bytes
        int firstNumber = 1; // the number the grid shows for record 0
        QString readStart;
        QString readDone;
        QString writeDone;
        std::function<int(int index)> readProgress;
        // The cells of a complete read record, from column 1 on.
        std::function<QStringList(const QByteArray &record, QChar decimal)> cells;
        // The write request of a row; empty when one of its cells is refused.
        std::function<std::optional<QByteArray>(int index, const TextGrid &grid, const Regional &regional)> write;
        // How the family's group box shows it (object names of the box, its
        // grid and its read and write buttons).
        struct Box {
            QString caption, name, table, readButton, writeButton;
            QList<int> widths;
            bool scrolls = false; // wider and taller than the page
        } box;
    };

    GridFamily(FamilyContext &ctx, TextGrid *grid, Description description, QObject *parent = nullptr);

    TransferEngine &transfer() { return *m_transfer; }
    const Description::Box &box() const { return m_box; }
    TextGrid &grid() { return *m_grid; }
    const TextGrid &grid() const { return *m_grid; }
    // True from the write button until the last record is acknowledged or
    // the write stops at a refused entry.
    bool isWriting() const { return m_transfer->isWriting(); }

    TransferEngine *records() override { return m_transfer; }
    int recordCount() const override;
    bool setField(int index, int column, const QString &text) override;
    void markRows(const QHash<int, QString> &marks) override;
    QAbstractItemModel *tableModel() override;
    EditHistory *editHistory() override { return &m_grid->history(); }

protected:
    void startRead() override { actWith(*m_transfer, false); }
    void startWrite() override { actWith(*m_transfer, true); }

private:
    TextGrid *m_grid;
    Description::Box m_box;
    TransferEngine *m_transfer = nullptr;
};
