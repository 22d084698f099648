#include <QTimer>

#include "platform/db.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/internal.h"

namespace platform::forms {

// ---------------------------------------------------------------- Timer

Timer::Timer(Form* form, std::string name) : form_(form), name_(std::move(name)) {
    detail::EnsureApp();
    form_->timers_.push_back(this);
}

Timer::~Timer() {
    Stop();
    auto& v = form_->timers_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

void Timer::SetInterval(int ms) {
    interval_ = ms < 0 ? 0 : ms;
    restart();
}

void Timer::SetEnabled(bool v) {
    enabled_ = v;
    restart();
}

void Timer::restart() {
    if (dead_) return;
    if (!Running() || !form_->loaded_) {
        if (qtimer_) qtimer_->stop();
        return;
    }
    if (!qtimer_) {
        qtimer_ = std::make_unique<QTimer>();
        qtimer_->setTimerType(Qt::PreciseTimer);
        QObject::connect(qtimer_.get(), &QTimer::timeout, [this] { Tick(); });
    }
    qtimer_->start(interval_);  // (re)starts the count from now
}

bool Timer::Tick() {
    // A tick queued before the timer stopped, or one that arrives while the
    // handler is still running (a modal dialog opened by it), is not run.
    if (dead_ || !Running() || inHandler_ || !form_->loaded_ || !OnTimer) return false;
    auto h = OnTimer;
    detail::HandlerScope scope(*form_);
    inHandler_ = true;
    struct Reset {
        bool& b;
        ~Reset() { b = false; }
    } reset{inHandler_};
    h();
    return true;
}

void Timer::Stop() {
    dead_ = true;
    if (qtimer_) qtimer_->stop();
}

// ---------------------------------------------------------------- DataControl

DataControl::DataControl(Form* form, std::string name) : name_(std::move(name)) { (void)form; }

DataControl::~DataControl() { Close(); }

void DataControl::Close() {
    if (recordset_) recordset_->Close();
    recordset_.reset();
    if (db_) db_->Close();
    db_.reset();
}

void DataControl::Refresh() {
    Close();
    if (databaseName_.empty()) throw platform::DbError("Banco de dados não informado em " + name_);
    if (recordSource_.empty()) throw platform::DbError("Tabela não informada em " + name_);
    db_ = platform::Workspace::Default().OpenDatabase(databaseName_);
    recordset_ = db_->OpenRecordset(recordSource_);
}

platform::Recordset& DataControl::Recordset() {
    if (!recordset_) Refresh();
    return *recordset_;
}

}  // namespace platform::forms
