#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

// Many cell texts in two buffers (their characters one after another and
// their lengths as variable-length numbers), so that an undo step of a
// 4000-row paste costs little more than its characters.
class PackedTexts {
public:
    void append(const QString &text);
    int size() const { return m_count; }
    qsizetype bytes() const { return m_chars.size() * 2 + m_lengths.size(); }

    // Reads the texts back in the order they were appended.
    class Reader {
    public:
        explicit Reader(const PackedTexts &texts) : m_texts(texts) {}
        QString next();

    private:
        const PackedTexts &m_texts;
        qsizetype m_char = 0;
        qsizetype m_length = 0;
    };

private:
    QString m_chars;
    QByteArray m_lengths;
    int m_count = 0;
};

// Cell positions (row * columns + column) kept as runs of neighbours.
class CellRuns {
public:
    void append(int position);
    int size() const { return m_count; }
    template <typename F>
    void forEach(F &&visit) const
    {
        for (const auto &[start, length] : m_runs)
            for (int p = start; p < start + length; ++p)
                visit(p);
    }

private:
    std::vector<std::pair<int, int>> m_runs;
    int m_count = 0;
};
