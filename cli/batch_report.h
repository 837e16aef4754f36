#pragma once
// The report of a batch run: one JSON line per input, written and flushed as each
// file is finished, so a scheduler can follow a run, gather the reports of many and
// retry what failed. Lines are appended, so a restarted run adds to its report.
//
//   {"input":"in/a.jpg","output":"out/a.jpg","status":"ok","reason":"","milliseconds":41,
//    "width":1000,"height":750}

#include <QFile>
#include <QSize>
#include <QString>
#include <mutex>

namespace lumetra::cli {

struct ReportLine {
    QString input;
    QString output;
    QString status;  // "ok", "failed" or "skipped"
    QString reason;  // why it failed or was skipped; "" when converted
    qint64 milliseconds = 0;
    QSize size;  // of the picture written; none when nothing was written
};

class BatchReport {
public:
    // Opens path for appending; returns the reason when it cannot be.
    QString Open(const QString& path);
    // Safe from several job threads; does nothing when not opened.
    void Add(const ReportLine& line);

private:
    std::mutex mutex_;
    QFile file_;
};

}  // namespace lumetra::cli
