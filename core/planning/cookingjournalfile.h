#pragma once

#include "planning/journalentry.h"

#include <QList>
#include <QString>

// The cooking journal, "cooking-journal.md" at the root of a cookbook: one
// list item a time a recipe was cooked, only ever appended to, so that the
// lines two devices add are merged by any tool that syncs the folder:
//
//   # Cooking journal
//
//   - 2026-12-10 [Red lentil dal](Soups/red-lentil-dal.recipe.md) ★★★★☆ Halve the salt.
//
// Stars are read as "★★★★☆", "4/5" or "****". Lines that are no such entry
// (headings, prose, a cook's own notes) are left as they are and skipped.

QString cookingJournalFileName();

// The entries of the journal in `cookbookFolder`, in the order of the file;
// none when there is no journal or it cannot be read.
QList<JournalEntry> readCookingJournal(const QString& cookbookFolder);

// Adds one entry at the end of the journal, with the heading first when the
// journal is new; no other line is touched. False when the file cannot be
// written; `error` then says why.
bool appendJournalEntry(const QString& cookbookFolder, const JournalEntry& entry,
                        QString* error = nullptr);

// The entries of a journal's text, links resolved against `cookbookFolder`.
QList<JournalEntry> parseCookingJournal(const QString& text, const QString& cookbookFolder);

// The entry as its line in the journal, without the line end.
QString journalEntryLine(const JournalEntry& entry, const QString& cookbookFolder);

// "★★★★☆" for 4; empty for 0.
QString journalStarsText(int stars);
