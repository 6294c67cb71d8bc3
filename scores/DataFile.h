// Data.dat: the record table as ten GBK text lines, saved atomically under a lock.
#pragma once

#include <QByteArray>
#include <QString>

#include "RecordStore.h"

// The table lives in Data.dat in the program's directory when that directory can be written,
// else in Data.dat in the fallback directory (an installed game). A table is only ever written
// as a regular file of its own: anything else at that path (a link, a FIFO, a device, a file
// that cannot be read) is present but not readable; it loads as default rows and is never
// written over, and a save replaces the name itself with a new file, never what stands there.
// Every record entry reads the table again under a lock on its folder, so that two copies of
// the game on one folder both keep their records.
class DataFile : public RecordStore {
public:
    // programDir: the directory of the executable.  fallbackDir: where the table lives when
    // programDir cannot be written; empty means the user's application data directory, looked
    // up when first needed (after the application has its name).
    explicit DataFile(const QString& programDir, const QString& fallbackDir = {});

    // Creates the table with default rows when there is none, as the first start does.
    RecordRows load() override;
    std::optional<RecordRows> update(const std::function<bool(RecordRows&)>& change) override;

    // The file the table lives in.
    QString path() const;

    // The file's bytes for ten rows, and the rows read back from any bytes at all.
    static QByteArray encode(const RecordRows& rows);
    static RecordRows decode(const QByteArray& bytes);

    // A well-formed line is about 23 bytes; a longer one than this is no row, and the lines
    // after it still count.
    static constexpr qsizetype kMaxLineBytes = 64 * 1024;

private:
    QString programFile() const;
    // With `onlyNew`, creates the table when there is none and leaves one there alone.
    std::optional<RecordRows> save(const std::function<bool(RecordRows&)>& change, bool onlyNew);

    QString programDir_;
    QString fallbackDir_;
};
