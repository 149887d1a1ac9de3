#pragma once

#include <QThread>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

class QStandardItemModel;

// Destroys replaced index models on a thread of its own. A model of 100,000
// recipes holds about a million items, and destroying it took the GUI thread
// hundreds of milliseconds every time a scan landed. Each model is moved to
// the disposal thread by the thread it belongs to and deleted there, so no
// object is ever deleted by a thread it does not belong to; models still
// waiting when the disposer goes are deleted before its destructor returns.
class ModelDisposer
{
public:
    ModelDisposer();
    ~ModelDisposer();
    ModelDisposer(const ModelDisposer&) = delete;
    ModelDisposer& operator=(const ModelDisposer&) = delete;

    // A shared pointer that, when its last share goes, hands `model` to
    // `disposer` if it still exists, and otherwise deletes it at once. The
    // share may go on any thread: the model is always released by its own.
    static std::shared_ptr<QStandardItemModel> share(std::unique_ptr<QStandardItemModel> model,
                                                     std::weak_ptr<ModelDisposer> disposer);

private:
    // Both called on the thread `model` belongs to: to the disposer if it is
    // still there, otherwise deleted at once.
    static void releaseOnOwnThread(QStandardItemModel* model,
                                   const std::weak_ptr<ModelDisposer>& disposer);
    void dispose(QStandardItemModel* model);
    // The disposal thread: deletes the models handed over as they come,
    // until the disposer goes.
    void deleteUntilStopped();

    // Hands over under a standard mutex, not through Qt's event queue, so that
    // what a scan's thread wrote into a model is seen to come before its
    // deletion by every checker.
    std::mutex m_lock;
    std::condition_variable m_handedOver;
    std::vector<QStandardItemModel*> m_waiting;
    bool m_stopping = false;
    std::unique_ptr<QThread> m_thread;
};
