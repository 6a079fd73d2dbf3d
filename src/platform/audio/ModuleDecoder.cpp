#include <libopenmpt/libopenmpt.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/audio/SoundFiles.h"

namespace audio {

namespace {

// Modules are small; anything bigger is some other kind of file.
constexpr std::uintmax_t kMaxModuleBytes = 64u << 20;

class ModuleDecoder : public Decoder {
  public:
    ModuleDecoder(openmpt_module* module, int rate, std::uint64_t frames)
        : Decoder(rate, 2, frames), module_(module) {}
    ~ModuleDecoder() override { openmpt_module_destroy(module_); }

  protected:
    std::size_t readFrames(float* out, std::size_t count) override {
        return openmpt_module_read_interleaved_float_stereo(module_, rate(), count, out);
    }

    // The module seeks to a row; the frames up to the exact target are rendered away.
    bool seekTo(std::uint64_t frame) override {
        const double reached =
            openmpt_module_set_position_seconds(module_, static_cast<double>(frame) / rate());
        auto skip = static_cast<std::int64_t>(frame) - std::llround(reached * rate());
        std::vector<float> scratch(2 * 1024);
        while (skip > 0) {
            const std::size_t got = readFrames(scratch.data(), std::min<std::int64_t>(skip, 1024));
            if (got == 0) break;
            skip -= static_cast<std::int64_t>(got);
        }
        return true;
    }

  private:
    openmpt_module* module_;
};

// What libopenmpt's probe makes of the file's first bytes, which it leaves in
// `head`; large files of other kinds are not probed.
int probeModule(const std::string& path, std::ifstream& in, std::vector<char>& head,
                std::uintmax_t& size) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return OPENMPT_PROBE_FILE_HEADER_RESULT_FAILURE;
    size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > kMaxModuleBytes)
        return OPENMPT_PROBE_FILE_HEADER_RESULT_FAILURE;
    in.open(path, std::ios::binary);
    head.resize(std::min<std::uintmax_t>(size, openmpt_probe_file_header_get_recommended_size()));
    if (!in.read(head.data(), static_cast<std::streamsize>(head.size())))
        return OPENMPT_PROBE_FILE_HEADER_RESULT_FAILURE;
    return openmpt_probe_file_header(OPENMPT_PROBE_FILE_HEADER_FLAGS_DEFAULT, head.data(),
                                     head.size(), size, openmpt_log_func_silent, nullptr,
                                     openmpt_error_func_ignore, nullptr, nullptr, nullptr);
}

// Reads the file when its first bytes may be a module's.
std::vector<char> readModuleFile(const std::string& path) {
    std::ifstream in;
    std::vector<char> bytes;
    std::uintmax_t size = 0;
    const int probe = probeModule(path, in, bytes, size);
    if (probe == OPENMPT_PROBE_FILE_HEADER_RESULT_FAILURE ||
        probe == OPENMPT_PROBE_FILE_HEADER_RESULT_ERROR)
        return {};
    const std::size_t head = bytes.size();
    bytes.resize(size);
    if (!in.read(bytes.data() + head, static_cast<std::streamsize>(size - head))) return {};
    return bytes;
}

}  // namespace

bool isModule(const std::string& utf8Path) {
    std::ifstream in;
    std::vector<char> head;
    std::uintmax_t size = 0;
    return probeModule(utf8Path, in, head, size) == OPENMPT_PROBE_FILE_HEADER_RESULT_SUCCESS;
}

std::unique_ptr<Decoder> openModule(const std::string& utf8Path, int rate, bool ramping) {
    if (!supportedFormat(rate, 2)) return nullptr;
    const std::vector<char> bytes = readModuleFile(utf8Path);
    if (bytes.empty()) return nullptr;
    openmpt_module* module = openmpt_module_create_from_memory2(
        bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr, openmpt_error_func_ignore,
        nullptr, nullptr, nullptr, nullptr);
    if (!module) return nullptr;
    openmpt_module_set_repeat_count(module, 0);
    openmpt_module_set_render_param(module, OPENMPT_MODULE_RENDER_VOLUMERAMPING_STRENGTH,
                                    ramping ? -1 : 0);
    const auto frames = std::llround(openmpt_module_get_duration_seconds(module) * rate);
    if (frames <= 0) {
        openmpt_module_destroy(module);
        return nullptr;
    }
    return std::make_unique<ModuleDecoder>(module, rate, static_cast<std::uint64_t>(frames));
}

}  // namespace audio
