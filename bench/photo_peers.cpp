// SPDX-License-Identifier: MIT
// What a user would run instead of winscore.propose on a photo, timed on one
// thread: OpenCV's EdgeBoxes on a Sobel edge map, and its selective search in
// fast mode. Each photo is read before the clocks start; the times cover
// everything from the colour image in memory to the box list.
//
// Usage: photo_peers [--budget SECONDS] [--runs N] photo...  or  photo_peers --version
// Prints one tab-separated line per photo:
//   file W H  edgeboxes: cpu wall runs boxes  selective search: cpu wall runs boxes
// Times are medians in seconds. EdgeBoxes runs N times (default 5), selective
// search 3 times; each only once when that first run takes more CPU seconds
// than the budget (default 20): selective search at 12 MP takes minutes.
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/ximgproc/edgeboxes.hpp>
#include <opencv2/ximgproc/segmentation.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

struct Timing {
  double cpu = 0;   // the process's CPU seconds (one thread)
  double wall = 0;  // seconds on the wall clock
};

double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

template <class Job>
Timing timeOnce(Job&& job) {
  const double cpu = cpuSeconds();
  const auto wall = std::chrono::steady_clock::now();
  job();
  return {cpuSeconds() - cpu,
          std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count()};
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Result {
  double cpu = 0;
  double wall = 0;
  size_t runs = 0;
  size_t boxes = 0;
};

// Runs the job RUNS times, or once when that first run takes longer than
// BUDGET CPU seconds; the medians, and the boxes of the last run.
template <class Job>
Result measure(Job&& job, size_t runs, double budget) {
  std::vector<double> cpu, wall;
  size_t boxes = 0;
  for (size_t r = 0; r < runs; ++r) {
    const Timing t = timeOnce([&] { boxes = job().size(); });
    cpu.push_back(t.cpu);
    wall.push_back(t.wall);
    if (r == 0 && t.cpu > budget) break;
  }
  return {median(cpu), median(wall), cpu.size(), boxes};
}

// Keeps the pixels whose magnitude is a maximum across the edge, along the
// gradient's direction quantised to 0, 45, 90 or 135 degrees: EdgeBoxes
// groups edge pixels into chains and expects thin edges.
cv::Mat thinned(const cv::Mat& magnitude, const cv::Mat& angle) {
  cv::Mat thin = cv::Mat::zeros(magnitude.size(), CV_32F);
  for (int y = 1; y + 1 < magnitude.rows; ++y) {
    const float* up = magnitude.ptr<float>(y - 1);
    const float* row = magnitude.ptr<float>(y);
    const float* down = magnitude.ptr<float>(y + 1);
    const float* a = angle.ptr<float>(y);
    float* out = thin.ptr<float>(y);
    for (int x = 1; x + 1 < magnitude.cols; ++x) {
      const int sector = int(std::lround(a[x] / (CV_PI / 4))) % 4;
      float before = 0, after = 0;
      switch (sector) {
        case 0: before = row[x - 1]; after = row[x + 1]; break;
        case 1: before = up[x - 1]; after = down[x + 1]; break;
        case 2: before = up[x]; after = down[x]; break;
        default: before = up[x + 1]; after = down[x - 1]; break;
      }
      if (row[x] >= before && row[x] >= after) out[x] = row[x];
    }
  }
  return thin;
}

// Sobel gradients of the grey image; the edge map is their magnitude, thinned
// and scaled to 0..1, the orientation their direction folded into [0, pi).
std::vector<cv::Rect> edgeBoxes(const cv::Mat& bgr) {
  cv::Mat grey, gx, gy, magnitude, angle;
  cv::cvtColor(bgr, grey, cv::COLOR_BGR2GRAY);
  grey.convertTo(grey, CV_32F, 1.0 / 255);
  cv::Sobel(grey, gx, CV_32F, 1, 0);
  cv::Sobel(grey, gy, CV_32F, 0, 1);
  cv::cartToPolar(gx, gy, magnitude, angle);
  angle.forEach<float>([](float& a, const int*) { a = std::fmod(a, float(CV_PI)); });
  cv::Mat edges = thinned(magnitude, angle);
  double largest = 0;
  cv::minMaxLoc(edges, nullptr, &largest);
  if (largest > 0) edges /= largest;
  std::vector<cv::Rect> boxes;
  cv::ximgproc::createEdgeBoxes()->getBoundingBoxes(edges, angle, boxes);
  return boxes;
}

std::vector<cv::Rect> selectiveSearch(const cv::Mat& bgr) {
  auto search = cv::ximgproc::segmentation::createSelectiveSearchSegmentation();
  search->setBaseImage(bgr);
  search->switchToSelectiveSearchFast();
  std::vector<cv::Rect> boxes;
  search->process(boxes);
  return boxes;
}

}  // namespace

int main(int argc, char** argv) {
  double budget = 20;
  size_t runs = 5;
  std::vector<std::string> photos;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--version") {
      std::printf("%s\n", CV_VERSION);
      return 0;
    }
    if (arg == "--budget" && i + 1 < argc) {
      budget = std::atof(argv[++i]);
    } else if (arg == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else {
      photos.push_back(arg);
    }
  }
  if (photos.empty()) {
    std::fprintf(stderr, "usage: photo_peers [--budget SECONDS] [--runs N] photo...\n");
    return 2;
  }
  cv::setNumThreads(1);

  for (const std::string& file : photos) {
    const cv::Mat bgr = cv::imread(file, cv::IMREAD_COLOR);
    if (bgr.empty()) {
      std::fprintf(stderr, "photo_peers: cannot read %s\n", file.c_str());
      return 1;
    }
    const Result edges = measure([&] { return edgeBoxes(bgr); }, runs, budget);
    const Result search = measure([&] { return selectiveSearch(bgr); }, 3, budget);
    std::printf("%s\t%d\t%d\t%.6f\t%.6f\t%zu\t%zu\t%.6f\t%.6f\t%zu\t%zu\n", file.c_str(), bgr.cols,
                bgr.rows, edges.cpu, edges.wall, edges.runs, edges.boxes, search.cpu, search.wall,
                search.runs, search.boxes);
    std::fflush(stdout);
  }
  return 0;
}
