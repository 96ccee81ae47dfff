#include "app/Program.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <vector>

#include "app/ABOUT.h"
#include "app/Form_501s.h"
#include "app/Kalvern.h"
#include "app/SDIMAIN.h"
#include "app/f501.h"
#include "app/form_501double.h"
#include "app/help_pravilo.h"
#include "app/history.h"
#include "app/kontrovoi.h"
#include "games/Form_ddv_r.h"
#include "games/ddv.h"
#include "games/form_27.h"
#include "games/form_50.h"
#include "games/form_60.h"
#include "games/kriket.h"
#include "games/nabor.h"
#include "games/sector.h"
#include "tournament/blank.h"
#include "ui/Application.h"

namespace {

constexpr int kPrepareAfterMs = 300;

template <class Form>
void Create(Form*& instance) {
  if (!instance) instance = new Form();
}

template <class Form>
void Destroy(Form*& instance) {
  delete instance;
  instance = nullptr;
}

}  // namespace

void CreateForms() {
  if (SDIAppForm) return;
  Create(SDIAppForm);
  ui::SetMainForm(SDIAppForm);
  Create(AboutBox);
  Create(Form_n);
  Create(Form_501);
  Create(Form_501_s);
  Create(Form_kv);
  Create(Form60);
  Create(Form50);
  Create(Formsector);
  Create(Form27);
  Create(Form_k);
  Create(Form_ddv);
  Create(Form_ddv_raschet);
  Create(Form_pravilo);
  Create(Form_501d);
  Create(Form_kontr);
  Create(Form_blank);
  Create(Form_history);
}

void DestroyForms() {
  Destroy(Form_history);
  Destroy(Form_blank);
  Destroy(Form_kontr);
  Destroy(Form_501d);
  Destroy(Form_pravilo);
  Destroy(Form_ddv_raschet);
  Destroy(Form_ddv);
  Destroy(Form_k);
  Destroy(Form27);
  Destroy(Formsector);
  Destroy(Form50);
  Destroy(Form60);
  Destroy(Form_kv);
  Destroy(Form_501_s);
  Destroy(Form_501);
  Destroy(Form_n);
  Destroy(AboutBox);
  ui::SetMainForm(nullptr);
  Destroy(SDIAppForm);
}

void PrepareWindows(std::function<void()> done) {
  const std::vector<QPointer<ui::TForm>> forms = {
      AboutBox, Form_n,   Form_501,         Form_501_s,   Form_kv,   Form60,     Form50,     Formsector,  Form27,
      Form_k,   Form_ddv, Form_ddv_raschet, Form_pravilo, Form_501d, Form_kontr, Form_blank, Form_history};
  auto next = std::make_shared<std::function<void(size_t)>>();
  *next = [forms, done, next](size_t i) {
    if (i >= forms.size()) {
      if (done) done();
      *next = nullptr;  // the chain lets go of itself
      return;
    }
    if (forms[i]) forms[i]->Prepare();
    QTimer::singleShot(0, qApp, [next, i] { (*next)(i + 1); });
  };
  (*next)(0);
}

int RunApplication() {
  // Started once the main window has been drawn and the player sees it.
  QTimer::singleShot(kPrepareAfterMs, qApp, [] { PrepareWindows(); });
  SDIAppForm->show();
  QApplication::exec();
  DestroyForms();
  return 0;
}
