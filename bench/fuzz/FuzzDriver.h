#pragma once
// A thin driver around a libFuzzer target: `fuzz_NAME N [SECONDS]` runs N inputs
// (or until SECONDS passed) from a fixed seed, counts invariant violations as
// findings (each input saved under fuzz-findings/), and prints
// "fuzz NAME: E executions, F findings" as its last line.

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerRunDriver(int *argc, char ***argv, int (*UserCb)(const uint8_t *data, size_t size));

namespace fuzz {

inline const char *g_name = "";
inline long long g_executions = 0;
inline long long g_findings = 0;
inline const uint8_t *g_data = nullptr;
inline size_t g_size = 0;

// An invariant did not hold for the current input.
inline void Finding(const char *what)
{
    ++g_findings;
    if (g_findings <= 20)
        std::fprintf(stderr, "fuzz %s: finding: %s\n", g_name, what);
    QDir().mkpath(QStringLiteral("fuzz-findings"));
    QFile f(QStringLiteral("fuzz-findings/%1-%2.bin").arg(QString::fromLatin1(g_name)).arg(g_findings));
    if (f.open(QIODevice::WriteOnly))
        f.write(reinterpret_cast<const char *>(g_data), qint64(g_size));
}

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            ::fuzz::Finding(#cond);                                                                \
    } while (0)

// Reads the input as a stream of small decisions.
class Bytes {
public:
    Bytes(const uint8_t *d, size_t n) : d_(d), n_(n) {}
    bool More() const { return i_ < n_; }
    uint8_t Byte() { return i_ < n_ ? d_[i_++] : 0; }
    int Pick(int n) { return n <= 1 ? 0 : Byte() % n; }
    qint32 Int()
    {
        switch (Pick(4)) {
        case 0: return Pick(10);
        case 1: return qint32(Byte()) - 128;
        case 2: return qint32((uint32_t(Byte()) << 8 | Byte()) - 20000);
        default: return qint32(uint32_t(Byte()) << 24 | uint32_t(Byte()) << 16 | uint32_t(Byte()) << 8 | Byte());
        }
    }
    QByteArray Rest() { QByteArray r(reinterpret_cast<const char *>(d_ + i_), qsizetype(n_ - i_)); i_ = n_; return r; }

private:
    const uint8_t *d_;
    size_t n_;
    size_t i_ = 0;
};

inline int Run(const char *name, int argc, char **argv, int (*target)(Bytes &))
{
    g_name = name;
    // A finding again: FUZZ_REPLAY names the saved input; it runs once.
    if (const char *replay = std::getenv("FUZZ_REPLAY")) {
        QFile f(QString::fromLocal8Bit(replay));
        if (!f.open(QIODevice::ReadOnly))
            return 2;
        const QByteArray bytes = f.readAll();
        g_data = reinterpret_cast<const uint8_t *>(bytes.constData());
        g_size = size_t(bytes.size());
        Bytes in(g_data, g_size);
        target(in);
        std::printf("fuzz %s: replayed, %lld findings\n", name, g_findings);
        return g_findings > 0 ? 1 : 0;
    }
    const long long runs = argc > 1 ? std::atoll(argv[1]) : 10000;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 0;
    static int (*s_target)(Bytes &) = target;
    std::vector<std::string> args = {argv[0], "-runs=" + std::to_string(runs), "-seed=1", "-detect_leaks=0",
                                     "-max_len=4096", "-print_final_stats=0"};
    if (seconds > 0)
        args.push_back("-max_total_time=" + std::to_string(seconds));
    std::vector<char *> ptrs;
    for (std::string &a : args)
        ptrs.push_back(a.data());
    ptrs.push_back(nullptr);
    int count = int(args.size());
    char **list = ptrs.data();
    // libFuzzer ends the process itself when it is done.
    std::atexit([] {
        std::fflush(stderr);
        std::printf("fuzz %s: %lld executions, %lld findings\n", g_name, g_executions, g_findings);
        std::fflush(stdout);
        if (g_findings > 0)
            std::_Exit(1);
    });
    return LLVMFuzzerRunDriver(&count, &list, [](const uint8_t *data, size_t size) {
        ++g_executions;
        g_data = data;
        g_size = size;
        Bytes in(data, size);
        return s_target(in);
    });
}

} // namespace fuzz
