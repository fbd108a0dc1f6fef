// Draws every image the program loads from ":/icons/" into a directory.
// Run once after changing a drawing; the PNG files are committed:
//   make_icons src/resources/icons
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#ifdef OV_HAVE_QT_SVG
#include <QSvgGenerator>
#endif

#include <cstdio>

namespace {

QString g_out;

QImage canvas(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

bool save(const QImage& image, const QString& name) {
  const QString path = g_out + QLatin1Char('/') + name;
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

void setup(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont bold_font(double pixel_size) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(qRound(pixel_size));
  f.setWeight(QFont::Black);
  return f;
}

// Text with a dark outline, centred on (cx, cy).
void outlined_text(QPainter& p, const QString& text, const QFont& font, QPointF centre, QColor fill, QColor outline,
                   double outline_width) {
  QPainterPath path;
  const QFontMetricsF fm(font);
  const QRectF box = fm.tightBoundingRect(text);
  path.addText(centre.x() - box.width() / 2 - box.left(), centre.y() - box.height() / 2 - box.top(), font, text);
  p.setPen(QPen(outline, outline_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(path);
}

// ---- program icon ---------------------------------------------------------

// Paints the program icon in a 256 x 256 frame.
void paint_program_icon(QPainter& p) {
  const int s = 256;
  QLinearGradient bg(0, 0, 0, s);
  bg.setColorAt(0, QColor("#2f6f7e"));
  bg.setColorAt(1, QColor("#173a44"));
  p.setPen(Qt::NoPen);
  p.setBrush(bg);
  p.drawRoundedRect(QRectF(8, 8, s - 16, s - 16), 48, 48);
  // A disc with grooves.
  const QPointF c(s / 2.0, s / 2.0);
  QRadialGradient disc(c, 100);
  disc.setColorAt(0, QColor("#3a3a3a"));
  disc.setColorAt(1, QColor("#111111"));
  p.setBrush(disc);
  p.drawEllipse(c, 96, 96);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 40), 2));
  for (int r = 86; r > 44; r -= 10) p.drawEllipse(c, r, r);
  // Label and a play mark.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#f29c38"));
  p.drawEllipse(c, 40, 40);
  QPainterPath play;
  play.moveTo(c.x() - 12, c.y() - 20);
  play.lineTo(c.x() + 22, c.y());
  play.lineTo(c.x() - 12, c.y() + 20);
  play.closeSubpath();
  p.setBrush(Qt::white);
  p.drawPath(play);
  // A rising score spark in the corner.
  p.setBrush(QColor("#ffd84a"));
  QPainterPath star;
  const QPointF sc(200, 56);
  for (int i = 0; i < 10; ++i) {
    const double r = (i % 2 == 0) ? 34 : 13;
    const double a = M_PI / 2 + i * M_PI / 5;
    const QPointF pt(sc.x() + r * std::cos(a), sc.y() - r * std::sin(a));
    if (i == 0)
      star.moveTo(pt);
    else
      star.lineTo(pt);
  }
  star.closeSubpath();
  p.setPen(QPen(QColor("#7a4a00"), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(star);
}

void draw_program_icon() {
  QImage image = canvas(256, 256);
  QPainter p(&image);
  setup(p);
  paint_program_icon(p);
  p.end();
  save(image, QStringLiteral("ov.png"));
}

// The program icon for the desktop's icon theme: hicolor sizes and, with
// Qt SVG, a scalable version drawn by the same painter code.
void draw_desktop_icons(const QString& dir) {
  QDir().mkpath(dir);
  for (int size : {16, 32, 48, 64, 128, 256}) {
    QImage image = canvas(size, size);
    QPainter p(&image);
    setup(p);
    p.scale(size / 256.0, size / 256.0);
    paint_program_icon(p);
    p.end();
    image.save(dir + QStringLiteral("/orvantis-%1.png").arg(size), "PNG");
  }
#ifdef OV_HAVE_QT_SVG
  QSvgGenerator svg;
  svg.setFileName(dir + QStringLiteral("/orvantis.svg"));
  svg.setSize(QSize(256, 256));
  svg.setViewBox(QRect(0, 0, 256, 256));
  svg.setTitle(QStringLiteral("Orvantis"));
  QPainter p(&svg);
  setup(p);
  paint_program_icon(p);
#endif
}

// ---- ranks ------------------------------------------------------------------

struct rank_look {
  const char* word;
  const char* letters;
  bool plus;
  const char* colour;
};

const rank_look ranks[] = {
    {"f", "F", false, "#7a70cc"}, {"fp", "F", true, "#7a70cc"}, {"e", "E", false, "#7a70cc"},
    {"ep", "E", true, "#7a70cc"}, {"d", "D", false, "#3fae7c"}, {"dp", "D", true, "#3fae7c"},
    {"c", "C", false, "#3fae7c"}, {"cp", "C", true, "#3fae7c"}, {"b", "B", false, "#cc8450"},
    {"bp", "B", true, "#cc8450"}, {"a", "A", false, "#cc8450"}, {"ap", "A", true, "#cc8450"},
    {"s", "S", false, "#cc4f52"}, {"sp", "S", true, "#cc4f52"}, {"ss", "SS", false, "#e0b92a"},
};

const int rank_w = 40, rank_h = 20;

void draw_rank_background() {
  QImage image = canvas(rank_w, rank_h);
  QPainter p(&image);
  setup(p);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRoundedRect(QRectF(1, 1.5, rank_w - 2, rank_h - 2), 7, 7);
  p.end();
  save(image, QStringLiteral("rank-bg.png"));
}

void draw_rank(const rank_look& r) {
  QImage image = canvas(rank_w, rank_h);
  QPainter p(&image);
  setup(p);
  const QColor base(r.colour);
  QLinearGradient g(0, 0, 0, rank_h);
  g.setColorAt(0, base.lighter(r.plus ? 145 : 125));
  g.setColorAt(1, base.darker(r.plus ? 105 : 120));
  p.setPen(QPen(base.darker(170), 1));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(2.5, 1.5, rank_w - 5, rank_h - 4), 6, 6);
  const QString letters = QString::fromLatin1(r.letters) + (r.plus ? QStringLiteral("+") : QString());
  outlined_text(p, letters, bold_font(letters.size() > 1 ? 13 : 14), QPointF(rank_w / 2.0, rank_h / 2.0 - 0.5),
                Qt::white, base.darker(220), 2.2);
  p.end();
  save(image, QStringLiteral("rank-%1.png").arg(QLatin1String(r.word)));
}

// ---- grades -----------------------------------------------------------------

struct grade_look {
  const char* word;
  const char* symbol;
  const char* light;
  const char* dark;
};

const grade_look grades[] = {
    {"rusty", "Fe", "#c8743e", "#5e2a10"},
    {"iron", "Fe", "#b9c2cc", "#4a5460"},
    {"copper", "Cu", "#f0a070", "#8a3f1a"},
    {"lead", "Pb", "#9aa0b0", "#3c4050"},
    {"zinc", "Zn", "#cfe0e6", "#5d7680"},
    {"mercury", "Hg", "#e8eef4", "#7d8a99"},
    {"silver", "Ag", "#ffffff", "#8e98a6"},
    {"gold", "Au", "#ffe680", "#b07a10"},
    {"lapis-philosophorum", "", "#ff5a5a", "#7a0010"},
    {"lapis-philosophorum", "", "#ff5a5a", "#7a0010"},
};

void draw_grade(int index) {
  const grade_look& g = grades[index];
  const int s = 64;
  QImage image = canvas(s, s);
  QPainter p(&image);
  setup(p);
  const QPointF c(s / 2.0, s / 2.0);
  const bool stone = QString::fromLatin1(g.word).startsWith(QStringLiteral("lapis"));
  // Rim.
  QLinearGradient rim(0, 0, s, s);
  rim.setColorAt(0, index >= 7 ? QColor("#fff3b0") : QColor(g.light).lighter(110));
  rim.setColorAt(1, index >= 7 ? QColor("#9a6a00") : QColor(g.dark));
  p.setPen(QPen(QColor(0, 0, 0, 120), 1.5));
  p.setBrush(rim);
  p.drawEllipse(c, 30, 30);
  if (!stone) {
    QRadialGradient face(QPointF(c.x() - 8, c.y() - 10), 34);
    face.setColorAt(0, QColor(g.light));
    face.setColorAt(1, QColor(g.dark));
    p.setBrush(face);
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, 24, 24);
    if (index == 0) {
      // Rust spots.
      p.setBrush(QColor(120, 50, 20, 150));
      p.drawEllipse(QPointF(20, 40), 5, 4);
      p.drawEllipse(QPointF(42, 22), 4, 3);
      p.drawEllipse(QPointF(44, 44), 3, 3);
    }
    outlined_text(p, QString::fromLatin1(g.symbol), bold_font(22), c, QColor(255, 255, 255, 235),
                  QColor(g.dark).darker(160), 3);
  } else {
    // The stone: a cut red gem; the last grade adds a halo of rays.
    if (index == 9) {
      p.setPen(QPen(QColor(255, 220, 80, 220), 2.5, Qt::SolidLine, Qt::RoundCap));
      for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        p.drawLine(QPointF(c.x() + 17 * std::cos(a), c.y() + 17 * std::sin(a)),
                   QPointF(c.x() + 23 * std::cos(a), c.y() + 23 * std::sin(a)));
      }
    } else {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor("#3a1020"));
      p.drawEllipse(c, 24, 24);
    }
    QPainterPath gem;
    gem.moveTo(c.x() - 14, c.y() - 6);
    gem.lineTo(c.x() - 7, c.y() - 15);
    gem.lineTo(c.x() + 7, c.y() - 15);
    gem.lineTo(c.x() + 14, c.y() - 6);
    gem.lineTo(c.x(), c.y() + 16);
    gem.closeSubpath();
    QLinearGradient gg(c.x() - 14, c.y() - 15, c.x() + 14, c.y() + 16);
    gg.setColorAt(0, QColor(g.light));
    gg.setColorAt(1, QColor(g.dark));
    p.setPen(QPen(QColor("#2a0008"), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gg);
    p.drawPath(gem);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
    p.drawLine(QPointF(c.x() - 14, c.y() - 6), QPointF(c.x() + 14, c.y() - 6));
    p.drawLine(QPointF(c.x() - 7, c.y() - 15), QPointF(c.x() - 4, c.y() - 6));
    p.drawLine(QPointF(c.x() + 7, c.y() - 15), QPointF(c.x() + 4, c.y() - 6));
    p.drawLine(QPointF(c.x() - 4, c.y() - 6), QPointF(c.x(), c.y() + 16));
    p.drawLine(QPointF(c.x() + 4, c.y() - 6), QPointF(c.x(), c.y() + 16));
  }
  p.end();
  save(image, QStringLiteral("grade-%1-%2.png").arg(index).arg(QLatin1String(g.word)));
}

// ---- activity icons -----------------------------------------------------------

const int atk = 32;

QImage atk_base(QPainter& p, QImage& image, QColor colour) {
  image = canvas(atk, atk);
  p.begin(&image);
  setup(p);
  QLinearGradient g(0, 0, 0, atk);
  g.setColorAt(0, colour.lighter(130));
  g.setColorAt(1, colour.darker(115));
  p.setPen(QPen(colour.darker(160), 1));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(1.5, 1.5, atk - 3, atk - 3), 7, 7);
  return image;
}

void draw_atk_play_new() {
  QImage image;
  QPainter p;
  atk_base(p, image, QColor("#3b8fd9"));
  QPainterPath play;
  play.moveTo(10, 8);
  play.lineTo(24, 16);
  play.lineTo(10, 24);
  play.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(play);
  p.end();
  save(image, QStringLiteral("atk-play_new.png"));
}

void draw_atk_selected() {
  QImage image;
  QPainter p;
  atk_base(p, image, QColor("#8a5cc7"));
  // Three candidate boxes, the middle one picked.
  p.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(5, 11, 6, 10), 1.5, 1.5);
  p.drawRoundedRect(QRectF(21, 11, 6, 10), 1.5, 1.5);
  p.setBrush(Qt::white);
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(12.5, 7, 7, 18), 2, 2);
  p.setPen(QPen(QColor("#8a5cc7"), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(13.8, 16.5), QPointF(15.6, 19));
  p.drawLine(QPointF(15.6, 19), QPointF(18.4, 13));
  p.end();
  save(image, QStringLiteral("atk-selected_on_nexts.png"));
}

QPainterPath heart(QRectF r) {
  QPainterPath path;
  const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
  path.moveTo(x + w / 2, y + h);
  path.cubicTo(x - w * 0.1, y + h * 0.55, x + w * 0.05, y - h * 0.1, x + w / 2, y + h * 0.25);
  path.cubicTo(x + w * 0.95, y - h * 0.1, x + w * 1.1, y + h * 0.55, x + w / 2, y + h);
  path.closeSubpath();
  return path;
}

void draw_atk_push_button() {
  QImage image;
  QPainter p;
  atk_base(p, image, QColor("#d9534f"));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(heart(QRectF(7, 8, 18, 17)));
  p.end();
  save(image, QStringLiteral("atk-push_button.png"));
}

void draw_atk_play_through() {
  QImage image;
  QPainter p;
  atk_base(p, image, QColor("#3aa66a"));
  // A full progress line ending in a flag.
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6, 23), QPointF(24, 23));
  p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(24, 23), QPointF(24, 7));
  QPainterPath flag;
  flag.moveTo(24, 7);
  flag.lineTo(15, 10.5);
  flag.lineTo(24, 14);
  flag.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(flag);
  p.drawEllipse(QPointF(6, 23), 2.5, 2.5);
  p.end();
  save(image, QStringLiteral("atk-play_through.png"));
}

void draw_atk_doubled(int multiplier) {
  QImage image;
  QPainter p;
  const QColor colours[] = {QColor("#e0a020"), QColor("#e07b20"), QColor("#e05a20"), QColor("#d93a3a"),
                            QColor("#c92a6a"), QColor("#a02ab0"), QColor("#7a2ac9"), QColor("#5a2ad9")};
  atk_base(p, image, colours[multiplier - 2]);
  outlined_text(p, QStringLiteral("x%1").arg(multiplier), bold_font(17), QPointF(atk / 2.0, atk / 2.0), Qt::white,
                colours[multiplier - 2].darker(200), 2.5);
  p.end();
  save(image, QStringLiteral("atk-doubled-%1.png").arg(multiplier));
}

// ---- like / dislike buttons --------------------------------------------------

void draw_button(bool like) {
  const int s = 32;
  QImage image = canvas(s, s);
  QPainter p(&image);
  setup(p);
  const QColor colour = like ? QColor("#e0474c") : QColor("#4f74c8");
  QLinearGradient g(0, 4, 0, 28);
  g.setColorAt(0, colour.lighter(135));
  g.setColorAt(1, colour.darker(110));
  p.setPen(QPen(colour.darker(170), 1.5));
  p.setBrush(g);
  const QPainterPath h = heart(QRectF(4, 5, 24, 23));
  p.drawPath(h);
  if (!like) {
    // A crack through the heart.
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath crack;
    crack.moveTo(16, 10);
    crack.lineTo(13, 15);
    crack.lineTo(18, 18);
    crack.lineTo(15, 25);
    p.setBrush(Qt::NoBrush);
    p.drawPath(crack);
  } else {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QPointF(10.5, 11.5), 3, 2.2);
  }
  p.end();
  save(image, like ? QStringLiteral("button-like.png") : QStringLiteral("button-dislike.png"));
}

// ---- cover placeholders -------------------------------------------------------

void draw_note(QPainter& p, QPointF at, double scale, QColor colour) {
  p.save();
  p.translate(at);
  p.scale(scale, scale);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(QPointF(-14, 22), 11, 8);
  p.drawEllipse(QPointF(22, 14), 11, 8);
  p.drawRect(QRectF(-5, -22, 4, 44));
  p.drawRect(QRectF(31, -30, 4, 44));
  QPainterPath beam;
  beam.moveTo(-5, -22);
  beam.lineTo(35, -30);
  beam.lineTo(35, -20);
  beam.lineTo(-5, -12);
  beam.closeSubpath();
  p.drawPath(beam);
  p.restore();
}

void draw_no_image() {
  const int s = 140;
  QImage image = canvas(s, s);
  QPainter p(&image);
  setup(p);
  QLinearGradient g(0, 0, 0, s);
  g.setColorAt(0, QColor("#6b7377"));
  g.setColorAt(1, QColor("#454b4e"));
  p.fillRect(image.rect(), g);
  p.setPen(QPen(QColor(255, 255, 255, 60), 2, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(14, 14, s - 28, s - 28), 10, 10);
  draw_note(p, QPointF(s / 2.0 - 10, s / 2.0 + 2), 1.1, QColor(255, 255, 255, 150));
  p.end();
  save(image, QStringLiteral("no_image.png"));
}

void draw_no_track() {
  const int s = 140;
  QImage image = canvas(s, s);
  QPainter p(&image);
  setup(p);
  p.fillRect(image.rect(), QColor("#2b2f31"));
  const QPointF c(s / 2.0, s / 2.0);
  p.setPen(QPen(QColor(255, 255, 255, 45), 2));
  p.setBrush(Qt::NoBrush);
  for (int r = 50; r >= 20; r -= 10) p.drawEllipse(c, r, r);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 55));
  p.drawEllipse(c, 8, 8);
  p.end();
  save(image, QStringLiteral("no_track.png"));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_icons OUTPUT_DIR [DESKTOP_ICON_DIR]\n");
    return 2;
  }
  g_out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(g_out);
  draw_program_icon();
  draw_rank_background();
  for (const rank_look& r : ranks) draw_rank(r);
  for (int i = 0; i < 10; ++i) draw_grade(i);
  draw_atk_play_new();
  draw_atk_selected();
  draw_atk_push_button();
  draw_atk_play_through();
  for (int m = 2; m <= 9; ++m) draw_atk_doubled(m);
  draw_button(true);
  draw_button(false);
  draw_no_image();
  draw_no_track();
  if (argc > 2) draw_desktop_icons(QString::fromLocal8Bit(argv[2]));
  return 0;
}
