#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <ostream>

namespace vokamo {
namespace {

// Every picture the windows load by resource path, with the size it is drawn for.
struct PictureCase {
    const char* name;
    int width;
    int height;
};
void PrintTo(const PictureCase& c, std::ostream* os) {
    *os << c.name;
}

class Picture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(Picture, IsBuiltInAndDrawsSomethingAtItsSize) {
    const QString path = QStringLiteral(":/pictures/%1.svg").arg(GetParam().name);
    QSvgRenderer renderer(path);
    ASSERT_TRUE(renderer.isValid()) << path.toStdString();
    EXPECT_EQ(renderer.defaultSize(), QSize(GetParam().width, GetParam().height));

    // Drawn at twice the size, as on a high-density screen: it must cover a
    // fair part of its box and stay inside it.
    QImage image(renderer.defaultSize() * 2, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0;
    EXPECT_GT(painted, image.width() * image.height() / 10) << path.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Resources, Picture,
    ::testing::Values(PictureCase{"glyph_quit", 28, 28}, PictureCase{"glyph_open", 28, 28},
                      PictureCase{"glyph_create", 28, 28}, PictureCase{"glyph_go", 28, 28},
                      PictureCase{"glyph_sel", 28, 28}, PictureCase{"glyph_flash", 28, 28},
                      PictureCase{"glyph_option", 28, 28}, PictureCase{"glyph_exchange", 28, 28},
                      PictureCase{"glyph_erase", 28, 28}, PictureCase{"glyph_sheet", 28, 28},
                      PictureCase{"glyph_help", 28, 28}, PictureCase{"glyph_redraw", 28, 28},
                      PictureCase{"glyph_esc", 28, 28}, PictureCase{"splash", 61, 55},
                      PictureCase{"face_futu", 32, 32}, PictureCase{"face_sad", 32, 32},
                      PictureCase{"face_verysad", 32, 32}, PictureCase{"face_joy", 32, 32},
                      PictureCase{"mark_ok", 32, 32}, PictureCase{"mark_ng", 32, 32},
                      PictureCase{"icon_oks", 20, 20}, PictureCase{"icon_ngs", 20, 20},
                      PictureCase{"keypad_me", 44, 44}, PictureCase{"omedeto1", 32, 32},
                      PictureCase{"omedeto2", 32, 32}),
    [](const auto& info) { return std::string(info.param.name); });

// The faces tell the learner how it went: no two of them may look the same.
TEST(Faces, AreDistinct) {
    QList<QImage> seen;
    for (const char* name : {"face_futu", "face_sad", "face_verysad", "face_joy"}) {
        QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
        QImage image(32, 32, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        for (const QImage& other : seen) EXPECT_NE(image, other) << name;
        seen << image;
    }
}

}  // namespace
}  // namespace vokamo
