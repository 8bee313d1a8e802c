#include "password/PasswordFile.h"

#include "password/EnDecrypt.h"
#include "program/ErrorCheck.h"
#include "program/SettingsFile.h"

namespace velkor {
namespace {

constexpr std::string_view kSection = "Password";
constexpr std::string_view kKey = "Password";

// A copy of one file in memory, to try a write without touching the disk.
class ScratchFile : public Files {
  public:
    ScratchFile(const Files& real, std::string_view path)
        : folder_(real.ProgramFolder()), content_(real.Read(path)) {
        if (content_.status == ReadOutcome::Status::Failed) content_ = {};
    }
    std::string ProgramFolder() const override { return folder_; }
    ReadOutcome Read(std::string_view) const override { return content_; }
    std::optional<FileError> Replace(std::string_view, std::string_view bytes) override {
        content_.status = ReadOutcome::Status::Ok;
        content_.bytes = std::string(bytes);
        return std::nullopt;
    }
    bool CanWrite(std::string_view) const override { return true; }

  private:
    std::string folder_;
    ReadOutcome content_;
};

}  // namespace

std::string PasswordFile::Path() const {
    return PasswordFilePath(files_);
}

StoredPassword PasswordFile::Read() const {
    const ReadOutcome read = files_.Read(Path());
    if (read.status == ReadOutcome::Status::Failed) return {read.error, {}};
    const bool utf16 = read.bytes.starts_with("\xFF\xFE") || read.bytes.starts_with("\xFE\xFF");
    if (read.status == ReadOutcome::Status::Ok && !utf16 &&
        read.bytes.find('\0') != std::string::npos) {
        return {FileError{0, "The file is not text."}, {}};
    }
    return {std::nullopt, Deciphered(ini_.Parse(read).ReadIni(kSection, kKey))};
}

std::string PasswordFile::Enciphered(std::string_view password) const {
    return text_.FromAnsi(Encrypt(text_.ToAnsi(password), PWDKey));
}

std::string PasswordFile::Deciphered(std::string_view stored) const {
    return text_.FromAnsi(Decrypt(text_.ToAnsi(stored), PWDKey));
}

bool PasswordFile::CanStore(std::string_view password) const {
    // Written into a copy of the file and read back through the same routines: a character the
    // code page lacks comes back as another one, a value is cut after 63 characters, and a
    // line break, blanks or quotes at the ends of the stored form do not survive.
    const std::string path = Path();
    ScratchFile scratch(files_, path);
    IniInOut copy(scratch, text_);
    if (Attempt([&] { copy.WriteIni(path, kSection, kKey, Enciphered(password)); })) return false;
    return Deciphered(copy.ReadIni(path, kSection, kKey)) == password;
}

void PasswordFile::Store(std::string_view password) {
    ini_.WriteIni(Path(), kSection, kKey, Enciphered(password));
}

void PasswordFile::Remove() {
    ini_.WriteIni(Path(), kSection, kKey, "");
}

}  // namespace velkor
