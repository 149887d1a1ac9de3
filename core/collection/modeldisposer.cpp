#include "collection/modeldisposer.h"

#include <QStandardItemModel>

ModelDisposer::ModelDisposer()
{
    m_thread.setObjectName(QStringLiteral("model disposal"));
    m_thread.start(QThread::LowPriority);
}

ModelDisposer::~ModelDisposer()
{
    // Ending the thread's event loop also deletes every model still waiting.
    m_thread.quit();
    m_thread.wait();
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
    model->deleteLater();
}
