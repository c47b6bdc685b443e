#include "desktop.h"

#include "job.h"

#include <QFile>
#include <string_view>

namespace quorvane::testing {

void keepJobs(AppFolder& folder) {
    QFile::rename(folder.file("QuorC"), folder.file("QuorC.real"));
    // An export's tiles run in a private folder: their jobs go to tiles.txt.
    folder.installEngineScript("here=$(cd \"$(dirname \"$0\")\" && pwd)\n"
                               "if [ \"$(pwd)\" = \"$here\" ]; then cat Quor.tmp >> jobs.txt\n"
                               "else cat Quor.tmp >> \"$here/tiles.txt\"; fi\n"
                               "exec \"$here/QuorC.real\"\n");
}

std::vector<std::vector<double>> keptJobs(const AppFolder& folder) {
    QFile file(folder.file("jobs.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    std::vector<std::vector<double>> jobs;
    std::size_t needed = 0;
    for (const QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
        const QByteArray number = line.chopped(1);
        if (needed == 0) {
            // A type line starts the next job: 5 values follow a view of the
            // Quorvane set, 7 a Julia view.
            jobs.emplace_back(1, number.toInt());
            needed = number == "1" ? 7 : 5;
            continue;
        }
        EXPECT_FALSE(number.contains(',')) << line.toStdString();
        EXPECT_TRUE(quor::isJobNumber(std::string_view(number.constData(), number.size())))
            << line.toStdString();
        // Read as the engine reads it: the job text is chosen for that reader.
        jobs.back().push_back(quor::readnum(number.constData(), std::uint8_t(number.size() - 1)));
        --needed;
    }
    return jobs;
}

} // namespace quorvane::testing
