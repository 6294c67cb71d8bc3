// Data.dat: the record table as ten GBK text lines beside the program, saved atomically.
#pragma once

#include <QByteArray>
#include <QString>

#include "RecordStore.h"

// Where the table lives: Data.dat in the program's directory, or, when that directory cannot be
// written (an installed game), Data.dat in the fallback directory.
//  - load() reads the newer of the two files (by modification time) when both exist, else the
//    one that exists; a file that cannot be opened gives way to the other one. When neither
//    exists it saves ten default rows (program directory first, then the fallback).
//  - save() writes the program directory's file if it can, else the fallback's; the other copy
//    is never deleted, so whichever was written last is the one the next load reads.
class DataFile : public RecordStore {
public:
    // programDir: the directory of the executable.  fallbackDir: where the table lives when
    // programDir cannot be written; empty means the user's application data directory, looked
    // up when first needed (after the application has its name).
    explicit DataFile(const QString& programDir, const QString& fallbackDir = {});

    RecordRows load() override;
    bool save(const RecordRows& rows) override;

    // The file the table was last read from or written to; before that, the program
    // directory's Data.dat.
    QString path() const;

    // The file's bytes for ten rows, and the rows read back from any bytes at all.
    static QByteArray encode(const RecordRows& rows);
    static RecordRows decode(const QByteArray& bytes);

    // A well-formed file is about 230 bytes; load() reads no more than this of any file.
    static constexpr qint64 kMaxReadBytes = 64 * 1024;

private:
    QString programFile() const;
    QString fallbackFile() const;

    QString programDir_;
    QString fallbackDir_;
    QString path_;
};
