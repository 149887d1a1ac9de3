#include "collection/modeldisposer.h"

#include <QStandardItemModel>

ModelDisposer::ModelDisposer()
{
    m_thread.setObjectName(QStringLiteral("model disposal"));
    m_wakeUp.moveToThread(&m_thread);
    m_thread.start(QThread::LowPriority);
}

ModelDisposer::~ModelDisposer()
{
    m_thread.quit();
    m_thread.wait();
    deleteWaiting(); // what the thread did not get to
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
    model->moveToThread(&m_thread);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_waiting.push_back(model);
    }
    QMetaObject::invokeMethod(
        &m_wakeUp, [this] { deleteWaiting(); }, Qt::QueuedConnection);
}

void ModelDisposer::deleteWaiting()
{
    std::vector<QStandardItemModel*> models;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        models.swap(m_waiting);
    }
    for (QStandardItemModel* model : models)
        delete model;
}
