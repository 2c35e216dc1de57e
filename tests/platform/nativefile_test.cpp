// Opening files for reading: only regular files open, and nothing blocks or reads without end,
// whatever the path names (a pipe nobody writes to, a device, a link to either).
#include "platform/nativefile.h"
#include "tests/support/appdirfixture.h"
#include "tests/support/hostilefiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace nimbara {
namespace {

struct OpenCase {
    const char* name;
    const char* path;  // below the fixture's folder, or absolute
    bool opens;
};

class OpeningForReading : public testing::TestWithParam<OpenCase> {
protected:
    OpeningForReading() {
        dir.writeFile("photo.bmp", "content");
        QFile::link(dir.absolute("photo.bmp"), dir.absolute("link-to-photo"));
        QFile::link(dir.absolute("pipe"), dir.absolute("link-to-pipe"));
        QFile::link("/dev/zero", dir.absolute("link-to-zero"));
        dir.writeFile("folder/inside", "");
    }
    QByteArray path() const {
        const QString relative = QString::fromUtf8(GetParam().path);
        if (relative.isEmpty()) {
            return {};
        }
        return QFile::encodeName(relative.startsWith('/') ? relative : dir.absolute(relative));
    }

    test::AppDirFixture dir;
    test::UnwrittenPipe pipe{dir.absolute("pipe")};
    test::MemoryCeiling ceiling{512};  // reading a device to its end takes it all
};

TEST_P(OpeningForReading, OpensOnlyRegularFilesAndNeverWaits) {
    ASSERT_TRUE(pipe.isValid());
    QFile file;
    const bool opened = openForReading(file, path());
    EXPECT_EQ(opened, GetParam().opens);
    EXPECT_EQ(file.isOpen(), GetParam().opens);
    if (opened) {
        EXPECT_EQ(file.readAll(), "content");
    }
    EXPECT_EQ(canOpenForReading(path()), GetParam().opens);
    EXPECT_FALSE(pipe.releasedAReader()) << "the pipe was waited on";
}

INSTANTIATE_TEST_SUITE_P(Paths, OpeningForReading,
                         testing::Values(OpenCase{"regular_file", "photo.bmp", true},
                                         OpenCase{"link_to_a_regular_file", "link-to-photo", true},
                                         OpenCase{"folder", "folder", false},
                                         OpenCase{"missing", "gone.bmp", false},
                                         OpenCase{"named_pipe", "pipe", false},
                                         OpenCase{"link_to_a_named_pipe", "link-to-pipe", false},
                                         OpenCase{"device", "/dev/zero", false},
                                         OpenCase{"link_to_a_device", "link-to-zero", false},
                                         OpenCase{"empty_path", "", false}),
                         [](const testing::TestParamInfo<OpenCase>& row) {
                             return std::string(row.param.name);
                         });

}  // namespace
}  // namespace nimbara
