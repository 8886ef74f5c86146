#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "chart/form/grafon_stored_form.h"
#include "support/bmp_writer.h"
#include "support/child_process.h"
#include "support/golden.h"
#include "support/pixel_helpers.h"
#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

constexpr TColor kChart = clWhite;
constexpr TColor kFrame = clNavy;
constexpr TColor kArea = clYellow;

// Picture pixel (x, y) as stored in the BMP (0xRRGGBB) and as the chart shows it.
std::uint32_t PictureRgb(int x, int y) {
  return 0x800000u | (static_cast<std::uint32_t>(x) * 8 << 8) | (255u - y * 8u);
}
TColor PictureColor(int x, int y) {
  const std::uint32_t v = PictureRgb(x, y);
  return RGB(static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
             static_cast<std::uint8_t>(v));
}

std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::filesystem::path path = std::filesystem::path(NOX_TEST_OUTPUT_DIR) / "background" / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path.string();
}

std::string WritePicture(const std::string& name, int width, int height) {
  BmpContent bmp;
  bmp.Width = width;
  bmp.Height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bmp.Values.push_back(PictureRgb(x, y));
  return WriteFile(name, WriteBmp(bmp));
}

class BackgroundChart : public TTestGrafon {
 public:
  using TCustomGrafon::BackgroundPicture;
  using TCustomGrafon::RenderBackground;
};

class Background : public ChartTest {
 protected:
  // 280 x 200: the chart area 210 x 140 pixels (its image 211 x 141); one world unit one pixel.
  void SetUp() override {
    chart.SetLayerRange(1, 0, 0, 210, 140);
    chart.SetChartColor(kChart);
    chart.SetChartFrameColor(kFrame);
    chart.BackGroundImg().SetAreaColor(kArea);
    chart.BackGroundImg().SetIncludePath(true);
  }
  void Render() {
    TBitmap& image = chart.ChartImage();
    chart.RenderBackground(image.Canvas(), 0, 0, image.Width(), image.Height());
  }
  void UsePicture(const std::string& path, TBkgFill fill) {
    chart.BackGroundImg().SetName(path);
    chart.BackGroundImg().SetFillMode(fill);
  }
  BackgroundChart chart;
};

TEST_F(Background, ChartColorInsideTheFrameColor) {
  Render();
  const TBitmap& image = chart.ChartImage();
  EXPECT_EQ(Extent(image, kChart), Rect(0, 0, 211, 141));
  EXPECT_EQ(CountOther(image, kChart), CountColor(image, kFrame));
  EXPECT_EQ(CountColor(image, kFrame), 2 * 211 + 2 * 139);
}

// The area bounds 50 .. 150 in x and 40 .. 100 in y make the pixel columns 50 .. 149 and rows
// 40 .. 99. Each mode is read at the nine points (25 | 100 | 180) x (20 | 70 | 120), top row
// first: '#' in AreaColor, '.' in ChartColor.
TEST_F(Background, EachAreaModeFillsItsRectangles) {
  const std::pair<TBGAreaMode, const char*> modes[] = {
      {bamNone, "... ... ..."},       {bamLeft, "#.. #.. #.."},      {bamRight, "..# ..# ..#"},
      {bamTop, "### ... ..."},        {bamBottom, "... ... ###"},    {bamVStripe, ".#. .#. .#."},
      {bamHStripe, "... ### ..."},    {bamRect, "... .#. ..."},      {bamRectInv, "### #.# ###"},
      {bamVStripeInv, "#.# #.# #.#"}, {bamHStripeInv, "### ... ###"}};
  TBakGndImg& bg = chart.BackGroundImg();
  bg.SetAreaLeft(50);
  bg.SetAreaRight(150);
  bg.SetAreaTop(100);
  bg.SetAreaBottom(40);
  for (auto [mode, expected] : modes) {
    bg.SetAreaMode(mode);
    Render();
    std::string seen;
    for (int y : {20, 70, 120}) {
      if (!seen.empty()) seen += ' ';
      for (int x : {25, 100, 180}) seen += chart.ChartImage().Pixel(x, y) == kArea ? '#' : '.';
    }
    EXPECT_EQ(seen, expected) << "area mode " << int(mode);
  }
  bg.SetAreaMode(bamRect);
  Render();
  EXPECT_EQ(Extent(chart.ChartImage(), kChart).Width(), 211);  // the frame
  EXPECT_EQ(CountColor(chart.ChartImage(), kArea), 100 * 60);
  EXPECT_EQ(chart.ChartImage().Pixel(50, 40), kArea);
  EXPECT_EQ(chart.ChartImage().Pixel(149, 99), kArea);
  EXPECT_EQ(chart.ChartImage().Pixel(150, 99), kChart);
}

TEST_F(Background, AreaBoundsThatAreNotNumbersLeaveTheirRectanglesOut) {
  TBakGndImg& bg = chart.BackGroundImg();
  bg.SetAreaRight(150);
  bg.SetAreaTop(100);
  bg.SetAreaBottom(40);
  bg.SetAreaLeft(std::nan(""));
  bg.SetAreaMode(bamRectInv);  // top, bottom and right parts still show
  Render();
  EXPECT_EQ(chart.ChartImage().Pixel(5, 70), kChart);
  EXPECT_EQ(chart.ChartImage().Pixel(5, 5), kArea);
  EXPECT_EQ(chart.ChartImage().Pixel(200, 70), kArea);
  // An infinite bound lies beyond the edge: bamLeft then covers the whole area.
  bg.SetAreaLeft(INFINITY);
  bg.SetAreaMode(bamLeft);
  Render();
  EXPECT_EQ(CountColor(chart.ChartImage(), kArea), 211 * 141);
}

TEST_F(Background, SimplePictureAtItsOwnSizeOverChartColor) {
  UsePicture(WritePicture("simple.bmp", 30, 20), bfSimple);
  Render();
  const TBitmap& image = chart.ChartImage();
  EXPECT_EQ(image.Pixel(0, 0), PictureColor(0, 0));
  EXPECT_EQ(image.Pixel(29, 19), PictureColor(29, 19));
  EXPECT_EQ(image.Pixel(30, 5), kChart);
  EXPECT_EQ(image.Pixel(0, 20), kFrame);
  EXPECT_EQ(image.Pixel(210, 140), kFrame);
}

TEST_F(Background, StretchedPictureFillsTheArea) {
  UsePicture(WritePicture("stretch.bmp", 2, 2), bfStretch);
  Render();
  EXPECT_EQ(chart.ChartImage().Pixel(0, 0), PictureColor(0, 0));
  EXPECT_EQ(chart.ChartImage().Pixel(104, 69), PictureColor(0, 0));
  EXPECT_EQ(chart.ChartImage().Pixel(106, 71), PictureColor(1, 1));
  EXPECT_EQ(chart.ChartImage().Pixel(210, 0), PictureColor(1, 0));
}

TEST_F(Background, TilesFromTheTopLeftCutByTheAreaEdge) {
  UsePicture(WritePicture("tile.bmp", 30, 20), bfTile);
  TBitmap image(110, 60);
  image.Fill(clBlue);
  chart.RenderBackground(image.Canvas(), 0, 0, 100, 50);  // 4 columns of 3 pictures
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 110; ++x) {
      const TColor expected = x < 100 && y < 50 ? PictureColor(x % 30, y % 20) : clBlue;
      ASSERT_EQ(image.Pixel(x, y), expected) << x << ", " << y;
    }
  }
  // An area placed on the canvas tiles from its own corner and nowhere else.
  image.Fill(clBlue);
  chart.RenderBackground(image.Canvas(), 10, 5, 60, 30);
  EXPECT_EQ(image.Pixel(10, 5), PictureColor(0, 0));
  EXPECT_EQ(image.Pixel(69, 34), PictureColor(29, 9));
  EXPECT_EQ(CountColor(image, clBlue), 110 * 60 - 60 * 30);
}

TEST_F(Background, OnePixelTiledOverALargeArea) {
  UsePicture(WritePicture("dot.bmp", 1, 1), bfTile);
  TBitmap image(3000, 2000);
  chart.RenderBackground(image.Canvas(), 0, 0, 3000, 2000);
  EXPECT_EQ(CountColor(image, PictureColor(0, 0)), 3000 * 2000);
}

// Decoded once and kept while its file stays the same; another file in its place, another size or
// its removal show at the next paint.
TEST_F(Background, PictureIsReadAgainWhenItsFileChanges) {
  const std::string path = WritePicture("changing.bmp", 4, 4);
  UsePicture(path, bfStretch);
  Render();
  EXPECT_EQ(chart.ChartImage().Pixel(60, 40), PictureColor(1, 1));
  chart.BackgroundPicture().Fill(clLime);  // shows only if the file is not decoded again
  Render();
  EXPECT_EQ(chart.ChartImage().Pixel(60, 40), clLime);
  BmpContent red;
  red.Values = {0xFF0000};
  WriteFile("changing.bmp", WriteBmp(red));
  Render();
  EXPECT_EQ(chart.ChartImage().Pixel(60, 40), clRed);
  BmpContent blue = red;
  blue.Values = {0x0000FF};
  std::filesystem::rename(WriteFile("blue.bmp", WriteBmp(blue)), path);  // same size, another file
  Render();
  EXPECT_EQ(chart.ChartImage().Pixel(60, 40), clBlue);
  std::filesystem::remove(path);
  Render();
  EXPECT_EQ(chart.BackGroundImg().Name(), "");
  EXPECT_EQ(chart.ChartImage().Pixel(60, 40), kChart);
}

TEST_F(Background, AFileThatCannotBeLoadedClearsTheNameAndShowsChartColor) {
  BmpContent dot;
  dot.Values = {0};
  std::vector<std::uint8_t> truncated = WriteBmp(dot);
  truncated.resize(30);
  const std::string files[] = {WriteFile("garbage.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'}),
                               WriteFile("truncated.bmp", truncated),
                               NOX_TEST_OUTPUT_DIR "/background/missing.bmp",
                               NOX_TEST_OUTPUT_DIR "/background", "/dev/zero"};
  chart.HandleNeeded();
  for (const std::string& file : files) {
    chart.SetAutoRedraw(false);  // set up without painting
    UsePicture(file, bfTile);
    chart.SetAutoRedraw(true);
    const int paints = chart.Paints;
    chart.ChartImage().Fill(clBlack);
    ASSERT_NO_THROW(Render()) << file;
    EXPECT_EQ(chart.BackGroundImg().Name(), "") << file;
    EXPECT_EQ(chart.Paints, paints + 1) << "the cleared name repaints";
  }
  // Without the repaint: ChartColor inside the frame.
  chart.SetAutoRedraw(false);
  UsePicture(files[0], bfTile);
  chart.BackGroundImg().SetAreaMode(bamLeft);  // not drawn when the picture fails
  chart.ChartImage().Fill(clBlack);
  Render();
  EXPECT_EQ(chart.BackGroundImg().Name(), "");
  EXPECT_EQ(CountColor(chart.ChartImage(), kChart), 209 * 139);
  EXPECT_EQ(CountColor(chart.ChartImage(), kFrame), 2 * 211 + 2 * 139);
}

// A form whose picture names a FIFO: neither reading it (which paints) nor the next paint waits for
// a writer; the name is cleared as for any file that cannot be loaded. In a child process, which is
// stopped should it block.
TEST_F(Background, AFifoNamedAsThePictureBlocksNoPaint) {
  const std::filesystem::path dir = std::filesystem::path(NOX_TEST_OUTPUT_DIR) / "background" / "fifo";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  ASSERT_EQ(::mkfifo((dir / "nox-pipe.bmp").c_str(), 0644), 0);
  std::ifstream in(NOX_TEST_DATA_DIR
                   "/../fuzz/regressions/stored_form_grafon/background_picture_named_nox_pipe");
  const std::string form{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const TChildResult child = RunInChild(
      [&] {
        std::filesystem::current_path(dir);  // the form names the file without a folder
        chart.HandleNeeded();
        ReadGrafonForm(chart, form);
        chart.BackGroundImg().SetName("nox-pipe.bmp");
        chart.Repaint();
        return "name '" + chart.BackGroundImg().Name() + "'";
      },
      20);
  ASSERT_TRUE(child.Finished) << "blocked or crashed";
  EXPECT_EQ(child.Output, "name ''");
}

TEST_F(Background, EmptyAndNegativeAreasDrawNothing) {
  TBitmap image(20, 20);
  image.Fill(clBlue);
  chart.RenderBackground(image.Canvas(), 5, 5, 0, 0);
  chart.RenderBackground(image.Canvas(), 5, 5, -10, -10);
  EXPECT_EQ(CountColor(image, clBlue), 400);
}

// Goldens. Area modes: the eleven modes on 81 x 61 chart areas, left to right and top to bottom
// bamNone .. bamHStripeInv, the area bounds x 20 .. 60 and y 15 .. 45 in yellow inside a navy frame.
// Fill modes: a 12 x 8 gradient picture at its own size, stretched and tiled on 81 x 61 areas.
TEST_F(Background, Golden) {
  chart.SetBounds(0, 0, 150, 120);
  chart.SetLayerRange(1, 0, 0, 80, 60);
  TBakGndImg& bg = chart.BackGroundImg();
  bg.SetAreaLeft(20);
  bg.SetAreaRight(60);
  bg.SetAreaTop(45);
  bg.SetAreaBottom(15);
  TBitmap modes(4 * 85, 3 * 65);
  modes.Fill(clGray);
  for (int m = 0; m < kBGAreaModeCount; ++m) {
    bg.SetAreaMode(static_cast<TBGAreaMode>(m));
    chart.RenderBackground(modes.Canvas(), (m % 4) * 85, (m / 4) * 65, 81, 61);
  }
  EXPECT_TRUE(MatchesGolden(modes, "chart/background_area_modes"));

  TBitmap fills(3 * 85, 61);
  fills.Fill(clGray);
  const std::string picture = WritePicture("golden.bmp", 12, 8);
  for (int f = 0; f < 3; ++f) {
    UsePicture(picture, static_cast<TBkgFill>(f));
    chart.RenderBackground(fills.Canvas(), f * 85, 0, 81, 61);
  }
  EXPECT_TRUE(MatchesGolden(fills, "chart/background_fill_modes"));
}

}  // namespace
}  // namespace nox::test
