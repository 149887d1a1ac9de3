#include "collection/modeldisposer.h"

#include <QStandardItemModel>

ModelDisposer::ModelDisposer()
    : m_thread(QThread::create([this] { deleteUntilStopped(); }))
{
    m_thread->setObjectName(QStringLiteral("model disposal"));
    m_thread->start(QThread::LowPriority);
}

ModelDisposer::~ModelDisposer()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stopping = true;
    }
    m_handedOver.notify_one();
    m_thread->wait(); // every model handed over is deleted by then
    // Taken once more, so that the thread's last use of the list is seen to
    // come before the list goes (QThread::wait() is not a standard join).
    const std::lock_guard<std::mutex> lock(m_lock);
}

std::shared_ptr<QStandardItemModel> ModelDisposer::share(std::unique_ptr<QStandardItemModel> model,
                                                         std::weak_ptr<ModelDisposer> disposer)
{
    return std::shared_ptr<QStandardItemModel>(
        model.release(), [disposer = std::move(disposer)](QStandardItemModel* released) {
            if (released->thread() == QThread::currentThread()) {
                releaseOnOwnThread(released, disposer);
                return;
            }
            // Let go elsewhere (a worker that read the model): the model's
            // own thread finishes the release.
            QMetaObject::invokeMethod(
                released, [released, disposer] { releaseOnOwnThread(released, disposer); },
                Qt::QueuedConnection);
        });
}

void ModelDisposer::releaseOnOwnThread(QStandardItemModel* model,
                                       const std::weak_ptr<ModelDisposer>& disposer)
{
    if (const std::shared_ptr<ModelDisposer> alive = disposer.lock())
        alive->dispose(model);
    else
        delete model;
}

void ModelDisposer::dispose(QStandardItemModel* model)
{
    model->moveToThread(m_thread.get());
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_waiting.push_back(model);
    }
    m_handedOver.notify_one();
}

void ModelDisposer::deleteUntilStopped()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        m_handedOver.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
        std::vector<QStandardItemModel*> models;
        models.swap(m_waiting);
        const bool stopping = m_stopping;
        lock.unlock();
        for (QStandardItemModel* model : models)
            delete model;
        if (stopping)
            return;
        lock.lock();
    }
}
