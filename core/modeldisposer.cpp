#include "modeldisposer.h"

#include <QStandardItemModel>

namespace {

// On the thread the model belongs to: to the disposer, or deleted here.
void releaseOnOwnThread(QStandardItemModel* model, const std::weak_ptr<ModelDisposer>& disposer,
                        void (ModelDisposer::*dispose)(QStandardItemModel*))
{
    if (const std::shared_ptr<ModelDisposer> alive = disposer.lock())
        ((*alive).*dispose)(model);
    else
        delete model;
}

} // namespace

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
                releaseOnOwnThread(released, disposer, &ModelDisposer::dispose);
                return;
            }
            // Let go elsewhere (a worker that read the model): the model's
            // own thread finishes the release.
            QMetaObject::invokeMethod(
                released,
                [released, disposer] {
                    releaseOnOwnThread(released, disposer, &ModelDisposer::dispose);
                },
                Qt::QueuedConnection);
        });
}

void ModelDisposer::dispose(QStandardItemModel* model)
{
    model->moveToThread(&m_thread);
    model->deleteLater();
}
