// Finding the program running from the same folder through a local socket, handing it the
// arguments, and following them there.
#include "HandOff.h"

#include <unistd.h>

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

#include "app/App.h"
#include "app/HandOffMessage.h"
#include "app/Handlers.h"
#include "app/ProgramArguments.h"
#include "ui/Control.h"

namespace loadergui::qt {

namespace {

// The answer that takes a message, and the one that turns it away.
constexpr char kTaken = '1';
constexpr char kRefused = '0';
// A message goes with its length ahead of it, in four bytes, most significant first.
constexpr int kLengthBytes = 4;
// How long a start waits to reach a socket that is there: a program that listens is reached at
// once, even while it is busy; one that was killed is not reached at all.
constexpr int kConnectMs = 1000;
// A socket's full path must stay within what the system allows (108 bytes with the NUL).
constexpr qsizetype kMaxSocketPath = 100;

// The folder as every start of the same program names it: links resolved.
std::string OwnFolder() {
  QString folder = QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
  if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
  return folder.toStdString();
}

// The machine's millisecond tick count, the same in every process.
std::uint32_t Ticks() {
  QElapsedTimer clock;
  clock.start();
  return static_cast<std::uint32_t>(clock.msecsSinceReference());
}

QByteArray Framed(const std::string& message) {
  QByteArray framed(kLengthBytes, '\0');
  auto length = static_cast<std::uint32_t>(message.size());
  for (int i = 0; i < kLengthBytes; ++i) {
    framed[i] = static_cast<char>((length >> (8 * (kLengthBytes - 1 - i))) & 0xFF);
  }
  return framed + QByteArray(message.data(), static_cast<qsizetype>(message.size()));
}

// The message a framed buffer holds once it has all arrived; nothing while more is to come, and
// an empty text for a length that is no hand-off's.
std::optional<std::string> Unframed(const QByteArray& buffer) {
  if (buffer.size() < kLengthBytes) return std::nullopt;
  std::uint32_t length = 0;
  for (int i = 0; i < kLengthBytes; ++i) {
    length = (length << 8) | static_cast<unsigned char>(buffer[i]);
  }
  if (length > kHandOffMaxBytes) return std::string();
  if (buffer.size() < kLengthBytes + static_cast<qsizetype>(length)) return std::nullopt;
  return std::string(buffer.constData() + kLengthBytes, length);
}

// Whether a program listens on the socket: one that was killed left only the file behind.
bool Listens(const QString& name) {
  QLocalSocket socket;
  socket.connectToServer(name);
  return socket.waitForConnected(kConnectMs);
}

// While a dialog or message box of the program is open, it comes to the front with the window,
// since it is what waits for the user. Without a window manager, activation is up to the X
// server and may not happen.
void BringToFront(QWidget& window) {
  if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.raise();
  window.activateWindow();
  if (QWidget* modal = QApplication::activeModalWidget()) {
    modal->raise();
    modal->activateWindow();
  }
}

}  // namespace

// A folder's path can be long, so the name carries a digest of it. The runtime folder is the
// user's own; where that path would be too long for a socket, the name goes to the temporary
// folder, where only the user may connect to it (see HandOffReceiver::listen).
QString HandOffServerName() {
  QByteArray key = QByteArray::number(static_cast<qulonglong>(getuid())) + '\0' +
                   QByteArray::fromStdString(OwnFolder());
  QString name = QStringLiteral("ravlinkgui-%1-%2")
                     .arg(getuid())
                     .arg(QString::fromLatin1(
                         QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16)));
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  QString path = runtime + QLatin1Char('/') + name;
  return !runtime.isEmpty() && path.toLocal8Bit().size() <= kMaxSocketPath ? path : name;
}

// The answer is awaited with a time limit: a program stuck in the ARP step must not hang the
// start of another.
bool HandToRunningProgram(const std::vector<std::string>& arguments) {
  QLocalSocket socket;
  socket.connectToServer(HandOffServerName());
  if (!socket.waitForConnected(kConnectMs)) return false;
  QDeadlineTimer deadline(static_cast<qint64>(kHandOffAnswerMs));
  socket.write(Framed(EncodeHandOff({OwnFolder(), Ticks(), arguments})));
  while (socket.bytesToWrite() > 0) {
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
  }
  while (socket.bytesAvailable() < 1) {
    if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
  }
  char answer = 0;
  return socket.getChar(&answer) && answer == kTaken;
}

HandOffReceiver::HandOffReceiver(App& app)
    : app_(app),
      main_(*static_cast<QWidget*>(app.frmMain().form().nativeHandle())),
      folder_(OwnFolder()) {
  main_.installEventFilter(this);
  QObject::connect(&server_, &QLocalServer::newConnection, this, [this] { receive(); });
  listen();
}

// A program of this folder that listens already keeps the socket, and this one is an ordinary
// program beside it: listening replaces the socket file of the same name, even one a program
// listens on. A socket file that no program listens on is left from one that was killed, and is
// removed first.
void HandOffReceiver::listen() {
  QString name = HandOffServerName();
  if (Listens(name)) return;
  QLocalServer::removeServer(name);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  server_.listen(name);
}

void HandOffReceiver::follow(std::vector<std::string> arguments) {
  if (arguments.empty()) return;
  QTimer::singleShot(0, this, [this, arguments] { followNow(arguments, false); });
}

// Each connection brings one framed message and gets a one-byte answer. Only a start of this
// program's folder is taken, only while it still waits, and only with a file: without one it
// would have started as a program of its own. What is taken is followed once the answer is out.
void HandOffReceiver::receive() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
      *buffer += socket->readAll();
      std::optional<std::string> bytes = Unframed(*buffer);
      if (!bytes) return;
      buffer->clear();
      std::optional<HandOffMessage> message = DecodeHandOff(*bytes);
      bool taken = message && !app_.ended() && message->folder == folder_ &&
                   IsFresh(*message, Ticks()) &&
                   !ReadProgramArguments(message->arguments).files.empty();
      socket->putChar(taken ? kTaken : kRefused);
      socket->flush();
      socket->disconnectFromServer();
      if (!taken) return;
      QTimer::singleShot(0, this, [this, arguments = std::move(message->arguments)] {
        followNow(arguments, true);
      });
    });
  }
}

// The file reaches the box even while a dialog or message box of the program is open; Execute
// is pressed only once the window takes input again, so that it never runs under the options
// dialog with values not yet confirmed. A later file in the box without --execute takes the
// place of the one the press was for, and the press is dropped.
void HandOffReceiver::followNow(const std::vector<std::string>& arguments, bool handedOver) {
  if (app_.ended()) return;
  if (handedOver) BringToFront(main_);
  ui::Control& upload = *app_.frmMain().txtUpload;
  std::string before = upload.text();
  if (ApplyProgramArguments(app_, ReadProgramArguments(arguments))) {
    executeWaits_ = true;
  } else if (upload.text() != before) {
    executeWaits_ = false;
  }
  pressExecuteIfFree();
}

void HandOffReceiver::pressExecuteIfFree() {
  if (!executeWaits_ || app_.ended() || QApplication::activeModalWidget()) return;
  executeWaits_ = false;
  frmMain::cmdExecute_Click(app_);
}

// A dialog or message box that kept the window from input has closed; the press waits until the
// handler that closed it has ended.
bool HandOffReceiver::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &main_ && event->type() == QEvent::WindowUnblocked && executeWaits_) {
    QTimer::singleShot(0, this, [this] { pressExecuteIfFree(); });
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace loadergui::qt
