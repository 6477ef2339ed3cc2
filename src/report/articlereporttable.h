#pragma once

#include <QString>
#include <vector>

class ArticleTableModel;

// One line of the article list: five text fields, each cut to its width.
struct ArticleReportRecord {
    QString sifra;  // article number, 4
    QString naziv;  // name, 36
    QString barkod; // barcode, 14
    QString cena;   // price as the cell holds it, 9
    QString stopa;  // tax label, 1

    bool operator==(const ArticleReportRecord &o) const
    {
        return sifra == o.sifra && naziv == o.naziv && barkod == o.barkod && cena == o.cena && stopa == o.stopa;
    }
};

// The in-memory report table (ClientDataSet1): the named articles of the
// article table in article-number order. Nothing is sorted or summed.
class ArticleReportTable {
public:
    static constexpr int SifraWidth = 4;
    static constexpr int NazivWidth = 36;
    static constexpr int BarkodWidth = 14;
    static constexpr int CenaWidth = 9;
    static constexpr int StopaWidth = 1;

    // Empties the table, then appends one record per row whose name cell is
    // not empty (a name of blanks is not empty).
    void fill(const ArticleTableModel &articles);
    void clear() { m_records.clear(); }
    void append(const ArticleReportRecord &record);

    const std::vector<ArticleReportRecord> &records() const { return m_records; }
    int size() const { return int(m_records.size()); }

private:
    std::vector<ArticleReportRecord> m_records;
};
