#include "app/platform/headless_render.h"

#include <QImage>
#include <QImageWriter>

#include "host/render_run.h"

namespace pyxora {

int RunHeadlessRender(const std::vector<std::string>& args, std::ostream& err) {
  return RunHeadlessRender(args, err, [](const Canvas& canvas, const std::string& out) -> std::optional<std::string> {
    const QImage image(reinterpret_cast<const uchar*>(canvas.Data()), canvas.Width(), canvas.Height(),
                       canvas.Width() * 4, QImage::Format_RGB32);
    QImageWriter writer(QString::fromStdString(out), "png");
    if (!writer.write(image)) return writer.errorString().toStdString();
    return std::nullopt;
  });
}

}  // namespace pyxora
