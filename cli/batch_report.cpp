#include "cli/batch_report.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

namespace lumetra::cli {

QString BatchReport::Open(const QString& path)
{
    file_.setFileName(path);
    if (file_.open(QIODevice::WriteOnly | QIODevice::Append)) return {};
    return QStringLiteral("Cannot write the report \"%1\": %2.")
        .arg(QDir::toNativeSeparators(path), file_.errorString());
}

void BatchReport::Add(const ReportLine& line)
{
    QJsonObject record{
        {QStringLiteral("input"), line.input},
        {QStringLiteral("output"), line.output},
        {QStringLiteral("status"), line.status},
        {QStringLiteral("reason"), line.reason},
        {QStringLiteral("milliseconds"), line.milliseconds},
        {QStringLiteral("width"), line.size.isValid() ? QJsonValue(line.size.width()) : QJsonValue()},
        {QStringLiteral("height"), line.size.isValid() ? QJsonValue(line.size.height()) : QJsonValue()},
    };
    const std::lock_guard lock(mutex_);
    if (!file_.isOpen()) return;
    // One write per line, flushed at once: a run killed midway leaves whole lines.
    file_.write(QJsonDocument(record).toJson(QJsonDocument::Compact) + '\n');
    file_.flush();
}

}  // namespace lumetra::cli
