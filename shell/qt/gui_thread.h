// The core calls the window from worker threads; Qt widgets live on the
// window's thread.  These run a call there and wait for it, as a sent
// window message does.
#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

template <typename Function>
auto OnGuiThread(Function function) -> decltype(function()) {
  QCoreApplication* application = QCoreApplication::instance();
  if (QThread::currentThread() == application->thread()) return function();
  if constexpr (std::is_void_v<decltype(function())>) {
    QMetaObject::invokeMethod(application, function, Qt::BlockingQueuedConnection);
  } else {
    decltype(function()) result{};
    QMetaObject::invokeMethod(
        application, [&] { result = function(); }, Qt::BlockingQueuedConnection);
    return result;
  }
}
