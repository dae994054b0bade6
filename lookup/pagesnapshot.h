// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace lookup {

// A "strong" element of a page: its class attribute text and its inner markup.
struct StrongElement {
    QString className;
    QString innerHtml;
};

// What the page flow needs of a completed top-level page, read at once when loading ended.
struct PageSnapshot {
    QString locationUrl; // the address the browser shows
    QString documentUrl; // the document's own URL
    QString title;
    std::optional<QString> bodyHtml;    // none when the document has no body, or it was not read
    std::optional<QString> dsrListHtml; // inner markup of the first <ul> whose id is exactly "dsr"
    std::optional<QString> markupHtml;  // the whole document's markup, its head's scripts included
    QList<StrongElement> strongs;       // every <strong> of the page, in document order
    // Which of its browser's navigations the page came from, counted from 1 (0 for one too old to
    // tell): the one under way when its document began to load, however late it completed.
    int navigation = 0;
    // The engine could not load the page (no answer, a dropped connection, an HTTP error): the
    // address is the one it failed at, and nothing of the site was read.
    bool loadFailed = false;
};

// Which parts of a page a snapshot reads besides its addresses and title.
struct SnapshotParts {
    bool body = false;
    bool dsrList = false;
    bool strongs = false;
    bool markup = false;
};

inline constexpr SnapshotParts everyPart{true, true, true, true};

// Chooses which parts a snapshot reads by the document's own address at the moment it is read,
// the address that then decides what the page is: a page may change its address after loading
// (history.replaceState) and before it is read. Every rule whose text occurs in the address adds
// its parts, looking only before the address's query and fragment when told; where none does,
// nothing but the addresses and the title is read.
struct ReadingRule {
    QString text;
    bool beforeQuery = false;
    SnapshotParts parts;
};

// What a browser reads of a page unless told otherwise: everything.
inline const QList<ReadingRule> readEverything{{QString(), false, everyPart}};

} // namespace lookup
