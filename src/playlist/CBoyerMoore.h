#pragma once

#include <QString>
#include <array>

// Finds every occurrence of one pattern in one text, overlapping ones
// included, by a Horspool scan over a 256-entry skip table.  Unless
// CaseSensitive is set first, pattern and text are stored upper-cased.
//
// Use: set CaseSensitive, FindText, Text, call Reset, then FindNext until it
// gives false; each true result is the next occurrence.
class CBoyerMoore {
  public:
    bool CaseSensitive() const { return caseSensitive_; }
    void setCaseSensitive(bool fValue) { caseSensitive_ = fValue; }

    // Setting the pattern rebuilds the skip table and resets the scan.
    const QString& FindText() const { return pattern_; }
    void setFindText(const QString& strValue);
    // Setting the text keeps the scan position.
    const QString& Text() const { return text_; }
    void setText(const QString& strValue);

    // Starts the scan at the beginning of the text.
    void Reset();
    // The next occurrence: its start (from 1) and length; the start is 0 and
    // the result false when there is none.  An empty pattern occurs nowhere.
    bool FindNext(qsizetype& lngFindStart, qsizetype& lngFindLength);

  private:
    QString stored(const QString& value) const;

    bool caseSensitive_ = false;
    QString pattern_;
    QString text_;
    // 1-based index of the text character that ends the next window.
    qsizetype position_ = 1;
    std::array<qsizetype, 256> skip_{};
};
