// Files a pupil, a teacher or a broken disk may put where a record or a
// question file is expected. Each is refused with a message that names it,
// and the record that was open stays open and unchanged on disk.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <random>

#include "Fakes.h"
#include "RecordFixtures.h"
#include "TestSupport.h"
#include "core/data/SjisText.h"
#include "core/records/RecordFile.h"
#include "core/records/RecordLifecycle.h"
#include "core/state/Errors.h"

namespace vokamo {
namespace {

using test::CrLf;
using test::EvenShape;

enum class Role { Record, Data };

struct Hostile {
    const char* name;
    Role role;  // the record itself, or the question file a good record names
    // Makes the file in dir and returns its path.
    std::function<std::string(const std::string& dir)> make;
};

void PrintTo(const Hostile& h, std::ostream* os) {
    *os << h.name;
}

std::string Put(const std::string& path, const std::string& bytes) {
    test::WriteBytes(path, bytes);
    return path;
}

std::string Noise(size_t n) {
    std::mt19937 gen(20240607);
    std::string out(n, '\0');
    for (auto& c : out) c = static_cast<char>(gen() & 0xFF);
    for (size_t i = 0; i < n; i += 37) out[i] = '\0';
    return out;
}

// A record of kind 1 with two items, whose lines may be replaced.
std::string RecordText(const std::string& dataPath, const std::string& settings = "1,2,0,0,0,0",
                       const std::string& lessons = "2") {
    return CrLf({dataPath, Sjis("単語テスト"), "Taro", settings, lessons, "1", "1", "0,-1", "0,-1"});
}

class HostileFileTest : public testing::TestWithParam<Hostile> {
protected:
    void SetUp() override {
        dir = test::MakeTempDir();
        const std::string data = test::WriteDataFile(dir, "a.dat", EvenShape(2, 6, 2, 2));
        recordA = dir + "/a.ret";
        test::WriteBytes(recordA, test::RecordBytesFor(data, EvenShape(2, 6, 2, 2)));
        OpenRecord(st, recordA);
        st.ItemState[3] = 2;
        SaveIfOpen(st);
        bytesA = test::ReadBytes(recordA);
    }

    void ExpectRefusedNaming(const std::function<void()>& step, const std::string& path) {
        const std::string name = std::filesystem::path(path).filename().string();
        try {
            step();
            ADD_FAILURE() << "accepted " << name.substr(0, 80);
        } catch (const VokamoError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(SjisToUtf8Lossy(name.substr(name.size() > 40 ? name.size() - 40 : 0))),
                      std::string::npos)
                << message.substr(0, 400);
            EXPECT_LT(message.size(), 1000u);
            // Japanese only: none of the system's English texts.
            for (int err = 1; err < 134; ++err)
                EXPECT_EQ(message.find(std::strerror(err)), std::string::npos) << message.substr(0, 400);
        }
        EXPECT_EQ(st.RecordOpen, 1);
        EXPECT_EQ(st.RecordPath, recordA);
        EXPECT_EQ(st.ItemCount, 6);
        EXPECT_EQ(st.ItemState[3], 2);
        EXPECT_EQ(test::ReadBytes(recordA), bytesA);
    }

    std::string dir, recordA, bytesA;
    ProgramState st;
    test::ScriptedFileChooser files;
    test::ScriptedNamePrompt names;
    test::RecordingErrorBox errors;
};

TEST_P(HostileFileTest, IsRefusedNamingItAndTheOpenRecordStays) {
    const Hostile& h = GetParam();
    const std::string path = h.make(dir);
    std::string record = path;
    if (h.role == Role::Data) {
        record = Put(dir + "/b.ret", RecordText(path));
        // Chosen as the question file of a new record, too.
        files.answers = {path};
        names.answers = {"Hanako", "hanako"};
        ExpectRefusedNaming([&] { CreateRecordStep(st, files, names, errors, dir); }, path);
    }
    files.answers = {record};
    ExpectRefusedNaming([&] { OpenRecordStep(st, files); }, path);
    // Still alive and still the same record: the next save writes it unchanged.
    SaveIfOpen(st);
    EXPECT_EQ(test::ReadBytes(recordA), bytesA);
}

const std::string Big(10'000'000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Classes, HostileFileTest,
    testing::Values(
        Hostile{"TooManyItems", Role::Data,
                [](auto d) {
                    return Put(d + "/many.dat", CrLf({"c", "T 0 601"}));
                }},
        Hostile{"TooManyItemsInRecord", Role::Record,
                [](auto d) { return Put(d + "/many.ret", RecordText(d + "/a.dat", "1,601,0,0,0,0")); }},
        Hostile{"CountBeyond32Bits", Role::Data,
                [](auto d) {
                    return Put(d + "/wide.dat", CrLf({"c", "T 0 4294967297"}));
                }},
        Hostile{"CountBeyond32BitsInRecord", Role::Record,
                [](auto d) {
                    return Put(d + "/wide.ret", RecordText(d + "/a.dat", "1,2,0,0,0,0", "4294967298"));
                }},
        Hostile{"NegativeCount", Role::Data,
                [](auto d) {
                    return Put(d + "/neg.dat", CrLf({"c", "T 1 1", "-5"}));
                }},
        Hostile{"NegativeCountInRecord", Role::Record,
                [](auto d) { return Put(d + "/neg.ret", RecordText(d + "/a.dat", "1,2,0,0,0,0", "-2")); }},
        Hostile{"NoLineEnds", Role::Data, [](auto d) { return Put(d + "/flat.dat", "c T 0 1 @a a"); }},
        Hostile{"NoLineEndsInRecord", Role::Record,
                [](auto d) { return Put(d + "/flat.ret", d + "/a.dat T 1,2,0,0,0,0 2 1 1 0,-1 0,-1"); }},
        Hostile{"TenMegabyteLine", Role::Data,
                [](auto d) {
                    return Put(d + "/long.dat", CrLf({"c", "T 0 1", "@" + Big, "a"}));
                }},
        Hostile{"TenMegabyteLineInRecord", Role::Record,
                [](auto d) {
                    return Put(d + "/long.ret", CrLf({d + "/a.dat", "T", Big, "1,2,0,0,0,0"}));
                }},
        Hostile{"NulAndNoise", Role::Data, [](auto d) { return Put(d + "/noise.dat", Noise(5000)); }},
        Hostile{"NulAndNoiseInRecord", Role::Record,
                [](auto d) { return Put(d + "/noise.ret", Noise(5000)); }},
        Hostile{"CutMidCharacter", Role::Data,
                [](auto d) {
                    return Put(d + "/cut.dat", CrLf({"c", "T 1 2", "1"}) + Sjis("第").substr(0, 1));
                }},
        Hostile{"CutMidCharacterInRecord", Role::Record,
                [](auto d) { return Put(d + "/cut.ret", CrLf({d + "/a.dat"}) + Sjis("単").substr(0, 1)); }},
        Hostile{"CodesOutOfRange", Role::Data,
                [](auto d) {
                    return Put(d + "/codes.dat",
                               CrLf({"c", "T 2 1", "1", "L", "2", "A", "B", "0 7", "@a", "a", ""}));
                }},
        Hostile{"Folder", Role::Data,
                [](auto d) {
                    std::filesystem::create_directory(d + "/folder.dat");
                    return d + "/folder.dat";
                }},
        Hostile{"FolderAsRecord", Role::Record,
                [](auto d) {
                    std::filesystem::create_directory(d + "/folder.ret");
                    return d + "/folder.ret";
                }},
        Hostile{"Fifo", Role::Data,
                [](auto d) {
                    ::mkfifo((d + "/pipe.dat").c_str(), 0600);
                    return d + "/pipe.dat";
                }},
        Hostile{"FifoAsRecord", Role::Record,
                [](auto d) {
                    ::mkfifo((d + "/pipe.ret").c_str(), 0600);
                    return d + "/pipe.ret";
                }},
        Hostile{"DevZero", Role::Data, [](auto) { return std::string("/dev/zero"); }},
        Hostile{"DevZeroAsRecord", Role::Record, [](auto) { return std::string("/dev/zero"); }},
        Hostile{"DevTty", Role::Data, [](auto) { return std::string("/dev/tty"); }},
        // Files in /proc report size 0 and hold far more.
        Hostile{"ProcFile", Role::Data, [](auto) { return std::string("/proc/self/pagemap"); }},
        Hostile{"ProcFileAsRecord", Role::Record, [](auto) { return std::string("/proc/self/pagemap"); }},
        Hostile{"RecordPointingAtItself", Role::Record,
                [](auto d) { return Put(d + "/self.ret", RecordText(d + "/self.ret")); }},
        Hostile{"MegabytePath", Role::Data,
                [](auto d) {
                    std::string path = d;
                    while (path.size() < 1'000'000) path += "/" + std::string(200, 'k');
                    return path + "/lesson.dat";
                }},
        Hostile{"Empty", Role::Data, [](auto d) { return Put(d + "/empty.dat", ""); }},
        Hostile{"EmptyRecord", Role::Record, [](auto d) { return Put(d + "/empty.ret", ""); }}),
    [](const testing::TestParamInfo<Hostile>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vokamo
