#include "SoundServer.h"

#include <fcntl.h>
#include <pulse/simple.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace audiotest {

namespace {

constexpr std::size_t kChunkFrames = 220;  // 5 ms

bool socketAnswers(const QString& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = path.toLocal8Bit();
    std::strncpy(address.sun_path, bytes.constData(), sizeof address.sun_path - 1);
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return ok;
}

QString serverProgram() {
    return QStandardPaths::findExecutable("pulseaudio");
}

}  // namespace

bool SoundServer::installed() {
    return !serverProgram().isEmpty();
}

// -n leaves out the user's configuration; the server runs as root in containers
// (with a warning to its log) as long as it is not asked to be a system daemon.
SoundServer::SoundServer(bool withSink) {
    const QString program = serverProgram();
    if (program.isEmpty()) return;
    QDir(dir_.path()).mkpath("home");
    QDir(dir_.path()).mkpath("run");
    const QString socket = dir_.file("run/native");
    std::vector<std::string> args = {program.toStdString(), "-n",
                                     "--daemonize=no",      "--exit-idle-time=-1",
                                     "--use-pid-file=no",   "--log-target=stderr"};
    if (withSink) {
        args.insert(args.end(), {"-L", std::string("module-null-sink sink_name=") + kSink});
    }
    args.insert(args.end(), {"-L", "module-native-protocol-unix auth-anonymous=1 socket=" +
                                       socket.toStdString()});
    const std::string home = dir_.file("home").toStdString();
    const std::string run = dir_.file("run").toStdString();
    const std::string log = dir_.file("server.log").toStdString();
    pid_ = fork();
    if (pid_ == 0) {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    answering_ = pid_ > 0 && pollUntil([&] { return socketAnswers(socket); });
    setenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit().constData(), 1);
}

void SoundServer::kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

void SoundServer::stop() {
    if (pid_ > 0) ::kill(pid_, SIGSTOP);
}

void SoundServer::resume() {
    if (pid_ > 0) ::kill(pid_, SIGCONT);
}

// A stopped server takes its end only once it goes on.
SoundServer::~SoundServer() {
    unsetenv("PULSE_SERVER");
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    resume();
    waitpid(pid_, nullptr, 0);
}

long wakeUps(const char* threadName) {
    long total = 0;
    for (const QString& task :
         QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString base = "/proc/self/task/" + task;
        if (testsupport::readAll(base + "/comm").trimmed() != threadName) continue;
        for (const QByteArray& line : testsupport::readAll(base + "/status").split('\n')) {
            if (line.contains("ctxt_switches:")) total += line.split(':').last().trimmed().toLong();
        }
    }
    return total;
}

MonitorRecorder::MonitorRecorder() {
    const pa_sample_spec format{PA_SAMPLE_FLOAT32LE, 44100, 2};
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.fragsize = kChunkFrames * 2 * sizeof(float);
    const std::string monitor = std::string(SoundServer::kSink) + ".monitor";
    int error = 0;
    simple_ = pa_simple_new(nullptr, "test", PA_STREAM_RECORD, monitor.c_str(), "monitor", &format,
                            nullptr, &attr, &error);
    recording_ = simple_ != nullptr;
    if (recording_) thread_ = std::thread([this] { run(); });
}

MonitorRecorder::~MonitorRecorder() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    if (simple_) pa_simple_free(static_cast<pa_simple*>(simple_));
}

void MonitorRecorder::run() {
    std::vector<float> chunk(2 * kChunkFrames);
    int error = 0;
    while (!stopping_) {
        if (pa_simple_read(static_cast<pa_simple*>(simple_), chunk.data(),
                           chunk.size() * sizeof(float), &error) < 0)
            return;
        std::lock_guard lock(mutex_);
        samples_.insert(samples_.end(), chunk.begin(), chunk.end());
        arrived_.push_back(Clock::now());
    }
}

std::size_t MonitorRecorder::frames() const {
    std::lock_guard lock(mutex_);
    return samples_.size() / 2;
}

MonitorRecorder::Sound MonitorRecorder::sound(std::size_t from, double floor) const {
    std::lock_guard lock(mutex_);
    Sound found;
    double sum = 0.0;
    for (std::size_t i = 2 * from; i < samples_.size(); ++i) {
        if (std::abs(samples_[i]) <= floor) continue;
        const std::size_t frame = i / 2;
        if (!found.found) found.first = frame;
        found.found = true;
        found.end = frame + 1;
    }
    if (!found.found) return found;
    std::size_t counted = 0;
    std::size_t quiet = 0;
    for (std::size_t frame = found.first; frame < found.end; ++frame) {
        sum += samples_[2 * frame] * samples_[2 * frame] +
               samples_[2 * frame + 1] * samples_[2 * frame + 1];
        ++counted;
        if (quietAt(frame, floor)) {
            ++quiet;
            continue;
        }
        if (quiet >= kGapFrames) counted -= quiet;
        quiet = 0;
    }
    found.rms = std::sqrt(sum / static_cast<double>(2 * counted));
    found.firstArrived = arrived_[found.first / kChunkFrames];
    found.lastArrived = arrived_[(found.end - 1) / kChunkFrames];
    return found;
}

bool MonitorRecorder::quietAt(std::size_t frame, double floor) const {
    return std::abs(samples_[2 * frame]) <= floor && std::abs(samples_[2 * frame + 1]) <= floor;
}

std::vector<std::size_t> MonitorRecorder::gaps(std::size_t from, std::size_t to,
                                               std::size_t shortest, double floor) const {
    std::lock_guard lock(mutex_);
    std::vector<std::size_t> found;
    bool heard = false;
    std::size_t lastLoud = 0;
    for (std::size_t frame = from; frame < std::min(to, samples_.size() / 2); ++frame) {
        if (quietAt(frame, floor)) continue;
        if (heard && frame - lastLoud - 1 >= shortest) found.push_back(frame - lastLoud - 1);
        heard = true;
        lastLoud = frame;
    }
    return found;
}

}  // namespace audiotest
