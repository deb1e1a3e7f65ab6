#include "ResultFileWriter.h"

#include "ResultFileStream.h"

WriteOutcome WriteResultFile(const QString& path, const QStringList& passwords) {
    // The whole list is in memory already; holding its bytes until commit lets a refusal come
    // before the file is touched, and lets room for all of it be set aside first.
    ResultFileStream stream(ResultFileStream::kHoldUntilCommit);
    if (const WriteOutcome opened = stream.open(path, ResultFileEncoding::Cp932); !opened.ok())
        return opened;
    for (const QString& password : passwords) {
        if (const WriteOutcome added = stream.append(password); !added.ok())
            return added;
    }
    return stream.commit();
}
