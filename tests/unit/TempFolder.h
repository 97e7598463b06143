#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace psm::testing {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the test ends.
class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0;; ++attempt) {
            m_path = base / ("psm-test-" + std::to_string(Tick()) + "-" +
                             std::to_string(counter++) + "-" + std::to_string(attempt));
            if (std::filesystem::create_directory(m_path)) {
                break;
            }
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

    // Writes the bytes to a file of that (UTF-8) name and returns its full path as UTF-8.
    std::string Write(std::string_view name, std::string_view bytes) const {
        const auto path = m_path / std::filesystem::path(std::u8string(name.begin(), name.end()));
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return Utf8(path);
    }

    // The full path of a name in the folder, as UTF-8, without creating anything.
    std::string PathOf(std::string_view name) const {
        return Utf8(m_path / std::filesystem::path(std::u8string(name.begin(), name.end())));
    }

    static std::string Utf8(const std::filesystem::path& path) {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    }

  private:
    static long long Tick() {
        return static_cast<long long>(
            std::filesystem::file_time_type::clock::now().time_since_epoch().count());
    }

    std::filesystem::path m_path;
};

} // namespace psm::testing
