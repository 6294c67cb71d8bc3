// The picture store.
#include "ImageList1.h"

#include <QString>

namespace ImageList1 {

QPixmap picture(int n, qreal devicePixelRatio) {
    if (n < 1 || n > card::kPictures) return {};
    if (devicePixelRatio > 1.0) {
        QPixmap big(QStringLiteral(":/cards/%1@2x.png").arg(n));
        if (!big.isNull()) {
            big.setDevicePixelRatio(2.0);
            return big;
        }
    }
    return QPixmap(QStringLiteral(":/cards/%1.png").arg(n));
}

}  // namespace ImageList1
