// The page's size: the whole window scaled down to fit a small screen.
export function fit() {
  const win = document.getElementById('window');
  const scale = Math.min(1, window.innerWidth / win.offsetWidth, window.innerHeight / win.offsetHeight);
  const scaler = document.getElementById('scaler');
  scaler.style.transform = scale < 1 ? `scale(${scale})` : '';
  scaler.style.height = win.offsetHeight * scale + 'px';
}
