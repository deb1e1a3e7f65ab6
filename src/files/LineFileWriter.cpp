#include "LineFileWriter.h"

#include "LineFileStream.h"

WriteOutcome WriteLineFile(const QString& path, const QStringList& lines, FileEncoding encoding) {
    // The whole list is in memory already; holding its bytes until commit lets a refusal come
    // before the file is touched, and lets room for all of it be set aside first.
    LineFileStream stream(LineFileStream::kHoldUntilCommit);
    if (const WriteOutcome opened = stream.open(path, encoding); !opened.ok())
        return opened;
    for (const QString& line : lines) {
        if (const WriteOutcome added = stream.append(line); !added.ok())
            return added;
    }
    return stream.commit();
}
