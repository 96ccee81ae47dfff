// The calls of the last export, as the automation layer tells them to its
// seams while a recorder lives.
#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "automation/Excel.h"

namespace testing_support {

// "Range(A1:K3).Borders(1).LineStyle = 1"; an array as "[rows x columns]".
inline QString Describe(const automation::Call& call) {
  QString out = call.object.isEmpty() ? call.member : call.object + '.' + call.member;
  QStringList args;
  for (const QVariant& a : call.args) args << a.toString();
  if (!args.isEmpty()) out += '(' + args.join(", ") + ')';
  const QVariant& v = call.value;
  if (v.typeId() == QMetaType::QVariantList) {
    const QVariantList rows = v.toList();
    out += QStringLiteral(" = [%1x%2]").arg(rows.size()).arg(rows.isEmpty() ? 0 : rows.first().toList().size());
  } else if (v.typeId() == QMetaType::Bool) {
    out += v.toBool() ? " = True" : " = False";
  } else if (v.isValid()) {
    out += " = " + v.toString();
  }
  return out;
}

// Keeps the application object created last and the calls made since; the
// seams it took are given back when it goes.
class RecordedCalls {
 public:
  RecordedCalls() : previous_(automation::seams()) {
    automation::seams().created = [this](const std::shared_ptr<automation::Application>& app) {
      last_ = app;
      calls_.clear();
    };
    automation::seams().called = [this](const automation::Call& call) { calls_.push_back(call); };
  }
  ~RecordedCalls() {
    automation::seams().created = previous_.created;
    automation::seams().called = previous_.called;
  }
  RecordedCalls(const RecordedCalls&) = delete;
  RecordedCalls& operator=(const RecordedCalls&) = delete;

  const std::vector<automation::Call>& Calls() const { return calls_; }
  QStringList Described() const {
    QStringList out;
    for (const automation::Call& call : calls_) out << Describe(call);
    return out;
  }
  const std::shared_ptr<automation::Application>& Last() const { return last_; }
  QString WrittenFile() const { return last_ ? last_->WrittenFile() : QString(); }

 private:
  automation::Seams previous_;
  std::shared_ptr<automation::Application> last_;
  std::vector<automation::Call> calls_;
};

}  // namespace testing_support
