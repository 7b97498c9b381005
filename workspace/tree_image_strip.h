#pragma once
// The pictures of the file trees: a strip of equal cells, white meaning transparent.
// An item shows the cell of its image index, and the next cell while it is selected.

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <vector>

namespace linkmoor {

/// The image indices of the local tree.
enum LocalTreeImage : int {
  LOCAL_IMAGE_FOLDER = 4, ///< a folder, also the root item
  LOCAL_IMAGE_FILE = 6,   ///< a file that is not an HTML page
  LOCAL_IMAGE_HTML = 8,   ///< an HTML page
};

/// The image indices of the remote tree.
enum RemoteTreeImage : int {
  REMOTE_IMAGE_ROOT = 0,
  REMOTE_IMAGE_ROOT_MARKED = 2,    ///< the root, which is the subdomain path
  REMOTE_IMAGE_FOLDER = 4,         ///< a folder not yet listed
  REMOTE_IMAGE_FOLDER_MARKED = 6,  ///< not yet listed, the subdomain path
  REMOTE_IMAGE_LISTED = 8,         ///< a listed folder
  REMOTE_IMAGE_LISTED_MARKED = 10, ///< listed, the subdomain path
  REMOTE_IMAGE_FILE = 12,          ///< a file that is not an HTML page
  REMOTE_IMAGE_HTML = 14,          ///< an HTML page
};

/// One strip of tree pictures, cut into cells.
class TreeImageStrip {
public:
  /// Cuts the picture `resource` into `cells` cells of `cellSize` (in pixels at 100 %);
  /// pure white pixels become transparent. With `scale` 2 the strip drawn at twice the
  /// size (the resource named with "@2x" before its extension) is cut instead, into
  /// cells that say so, so that they show sharp on a screen scaled to 200 %; without
  /// such a resource the plain one serves. Cells the picture does not cover stay empty.
  TreeImageStrip(const QString &resource, QSize cellSize, int cells, int scale = 1);

  /// The local tree's strip: 18 cells of 16 by 16, at the screens' scale.
  static const TreeImageStrip &local();
  /// The remote tree's strip: 32 cells of 20 by 16, at the screens' scale.
  static const TreeImageStrip &remote();

  /// The name of the strip drawn at `scale` ("local_tree@2x.png" for 2).
  static QString resourceFor(const QString &resource, int scale);
  /// The scale of the pictures the screens want: 2 when any screen is scaled above
  /// 100 %, else 1.
  static int screenScale();

  /// The size of one cell in pixels at 100 %.
  QSize cellSize() const { return cellSize_; }
  /// The number of cells.
  int cellCount() const { return static_cast<int>(cells_.size()); }
  /// Cell `index` (its device pixel ratio is the strip's scale); a null picture outside
  /// the strip.
  QPixmap cell(int index) const;
  /// The icon of an item with `image`: cell `image` normally, cell `image` + 1 selected.
  QIcon icon(int image) const;

private:
  QSize cellSize_;
  std::vector<QPixmap> cells_;
};

} // namespace linkmoor
