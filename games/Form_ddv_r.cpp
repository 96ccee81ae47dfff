#include "games/Form_ddv_r.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

#include "darts/Ddv.h"
#include "games/GameFocus.h"
#include "ui_Form_ddv_r.h"

TForm_ddv_raschet* Form_ddv_raschet = nullptr;

namespace {

// The picture beside the result: a board with the three trebles the window
// can recommend picked out.
QPixmap BoardPicture(const QSize& size) {
  QPixmap pm(size);
  pm.fill(Qt::black);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QPointF centre(size.width() / 2.0, size.height() / 2.0);
  const double r = std::min(size.width(), size.height()) / 2.0 - 34;
  static const int kOrder[20] = {20, 1, 18, 4, 13, 6, 10, 15, 2, 17, 3, 19, 7, 16, 8, 11, 14, 9, 12, 5};
  // Rings from the outside in: double, outer single, treble, inner single.
  const double rings[] = {1.0, 0.94, 0.62, 0.56, 0.16};
  const QColor black(20, 20, 20), cream(236, 226, 196), red(200, 30, 40), green(20, 140, 60);
  auto wedge = [&](double outer, double inner, double startDeg, const QColor& c) {
    QPainterPath path;
    const QRectF ro(centre.x() - outer * r, centre.y() - outer * r, 2 * outer * r, 2 * outer * r);
    const QRectF ri(centre.x() - inner * r, centre.y() - inner * r, 2 * inner * r, 2 * inner * r);
    path.arcMoveTo(ro, startDeg);
    path.arcTo(ro, startDeg, 18);
    path.arcTo(ri, startDeg + 18, -18);
    path.closeSubpath();
    p.fillPath(path, c);
  };
  for (int i = 0; i < 20; ++i) {
    // Sector 20 is at the top; Qt's angles run counter-clockwise from 3 o'clock.
    const double start = 90 - 9 - 18 * i;
    const bool dark = i % 2 == 0;
    const int number = kOrder[i];
    const bool picked = number == 20 || number == 19 || number == 7;
    wedge(rings[0], rings[1], start, dark ? red : green);
    wedge(rings[1], rings[2], start, dark ? black : cream);
    wedge(rings[2], rings[3], start, picked ? QColor(255, 215, 0) : (dark ? red : green));
    wedge(rings[3], rings[4], start, dark ? black : cream);
    const double mid = (90 - 18 * i) * M_PI / 180.0;
    const QPointF at(centre.x() + std::cos(mid) * (r + 18), centre.y() - std::sin(mid) * (r + 18));
    p.setPen(picked ? QColor(255, 215, 0) : Qt::white);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(at.x() - 16, at.y() - 10, 32, 20), Qt::AlignCenter, QString::number(number));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(green);
  p.drawEllipse(centre, 0.16 * r, 0.16 * r);
  p.setBrush(red);
  p.drawEllipse(centre, 0.07 * r, 0.07 * r);
  return pm;
}

}  // namespace

TForm_ddv_raschet::TForm_ddv_raschet(QWidget* parent) : ui::TForm(parent) {}
TForm_ddv_raschet::~TForm_ddv_raschet() = default;

Ui::TForm_ddv_raschet& TForm_ddv_raschet::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm_ddv_raschet::BuildForm() {
  ui_ = std::make_unique<Ui::TForm_ddv_raschet>();
  ui_->setupUi(this);
  InitForm();
  games::TabFocusButtons(*this);
  ui_->Image1->setPixmap(BoardPicture(ui_->Image1->size()));
}

void TForm_ddv_raschet::ShowFor(const QString& ddv) {
  ddv_ = ddv;
  ShowModal();
}

void TForm_ddv_raschet::FormShow() {
  ui_->Label2->setText(ddv_);
  advice_ = darts::Ddv::Recommendation(ddv_, advice_);
  ui_->Label4->setText(advice_);
  // A stray Enter or Space does not close the window: F10 or a click does.
  games::RestFocus(*this);
}

void TForm_ddv_raschet::BitBtn1Click() { Close(); }

void TForm_ddv_raschet::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  if (key == ui::VK_F10 && ui_->BitBtn1->isEnabled()) BitBtn1Click();
}
