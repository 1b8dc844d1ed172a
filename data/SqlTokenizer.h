#pragma once

#include <QString>
#include <vector>

// One lexical token of an SQL statement. `text` is the token exactly as
// written; for literals and quoted names `value` is its content with the
// quoting undone.
struct TSqlToken {
    enum Kind {
        Space,   // blanks and line breaks
        Comment, // -- to the end of the line, or /* ... */
        Word,    // keyword or bare name (letters of any script, digits, _, $)
        Number,
        String,       // '...' with '' standing for '
        QuotedString, // "..." with "" standing for "; a string in the program's dialect
        QuotedName,   // [...] or `...`
        Parameter,    // ?, ?NNN, :name, @name
        Semicolon,
        Symbol // operators and punctuation
    };

    Kind kind;
    QString text;
    QString value;

    bool IsSignificant() const { return kind != Space && kind != Comment; }
    bool IsWord(const char *keyword) const;
};

// Splits a statement into tokens; the texts of the tokens joined give the
// statement back unchanged. An unterminated literal, quoted name or block
// comment raises EDatabaseError.
std::vector<TSqlToken> TokenizeSql(const QString &statement);
