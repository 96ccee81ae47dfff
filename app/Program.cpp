#include "app/Program.h"

#include <QApplication>

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

int RunApplication() {
  SDIAppForm->show();
  QApplication::exec();
  DestroyForms();
  return 0;
}
