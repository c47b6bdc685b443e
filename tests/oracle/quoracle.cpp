// quoracle: the oracle from the command line.
//   quoracle limits NAME                 the four limits of an area name
//   quoracle job NAME NMAX               the deep job (type 3) of that view
//   quoracle count NAME NMAX COL ROW...  counts of samples, "trusted" or not
//   quoracle sample NAME NMAX N SEED     N reproducible samples and their counts
//   quoracle views                       the fixed test views
#include "oracle.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: quoracle limits NAME | job NAME NMAX | count NAME NMAX COL ROW... "
                         "| sample NAME NMAX N SEED | views\n");
    return 2;
}

void print(int column, int row, const quoracle::Count& c) {
    std::printf("%d %d %u %s\n", column, row, c.count, c.trusted ? "trusted" : "untrusted");
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "views" && argc == 2) {
        auto views = quoracle::testViews();
        views.push_back(quoracle::copyView());
        for (const auto& v : views)
            std::printf("%-22s %5u %s\n", v.label.c_str(), v.nmax, v.name.c_str());
        return 0;
    }
    if (argc < 3)
        return usage();
    const auto limits = quoracle::limitsOfName(argv[2]);
    if (!limits) {
        std::fprintf(stderr, "quoracle: not an area name: %s\n", argv[2]);
        return 1;
    }
    if (command == "limits" && argc == 3) {
        std::printf("%s\n%s\n%s\n%s\n", limits->xa.c_str(), limits->xb.c_str(), limits->ya.c_str(),
                    limits->yb.c_str());
        return 0;
    }
    if (argc < 4)
        return usage();
    const auto nmax = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
    if (command == "job" && argc == 4) {
        const auto text = quor::deepJobText(*limits, nmax);
        if (!text)
            return 1;
        std::fputs(text->c_str(), stdout);
        return 0;
    }
    if (command == "count" && argc >= 6 && argc % 2 == 0) {
        std::vector<std::pair<int, int>> samples;
        for (int k = 4; k + 1 < argc; k += 2)
            samples.emplace_back(std::atoi(argv[k]), std::atoi(argv[k + 1]));
        const auto counts = quoracle::countSamples(*limits, samples, nmax);
        for (std::size_t k = 0; k < samples.size(); ++k)
            print(samples[k].first, samples[k].second, counts[k]);
        return 0;
    }
    if (command == "sample" && argc == 6) {
        const auto samples =
            quoracle::samplePositions(std::atoi(argv[4]), std::strtoull(argv[5], nullptr, 10));
        const auto counts = quoracle::countSamples(*limits, samples, nmax);
        for (std::size_t k = 0; k < samples.size(); ++k)
            print(samples[k].first, samples[k].second, counts[k]);
        return 0;
    }
    return usage();
}
