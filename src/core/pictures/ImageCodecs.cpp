#include "core/pictures/ImageCodecs.h"

#include <algorithm>
#include <array>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include <jerror.h>
#include <jpeglib.h>
#include <png.h>

#ifndef JCS_EXTENSIONS
#error "Kinloom needs libjpeg-turbo (blue-green-red pixel rows straight from the decoder)"
#endif

namespace kinloom {

namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// A progressive JPEG can announce any number of scans, each re-reading the whole picture; real
// pictures have a dozen at most.
constexpr int kMaxJpegScans = 500;

std::string SizeText(unsigned long long width, unsigned long long height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

void CheckLimits(unsigned long long width, unsigned long long height, const ImageLimits& limits) {
    const auto maxSide = static_cast<unsigned long long>(std::max(limits.MaxSide, 0));
    const auto maxPixels = static_cast<unsigned long long>(std::max(limits.MaxPixels, 0LL));
    if (width == 0 || height == 0) {
        throw ImageError("The picture has no pixels (" + SizeText(width, height) + ").");
    }
    // width · height is compared by division so a forged size cannot overflow the test.
    if (width > maxSide || height > maxSide || width > maxPixels / height) {
        throw ImageError("The picture is too large to open (" + SizeText(width, height) + ").");
    }
}

// ---- PNG ------------------------------------------------------------------------------------

// libpng's simplified interface reports failures in image.message instead of jumping out, and
// frees its own state when it fails; png_image_free is safe at any point.
class PngImage {
public:
    PngImage() {
        std::memset(&image_, 0, sizeof image_);
        image_.version = PNG_IMAGE_VERSION;
    }
    ~PngImage() { png_image_free(&image_); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    png_image& get() { return image_; }
    [[noreturn]] void fail(const char* what) {
        std::string text = image_.message[0] != '\0' ? std::string(image_.message) : what;
        png_image_free(&image_);
        throw ImageError("PNG picture: " + text);
    }

private:
    png_image image_;
};

// ---- JPEG -----------------------------------------------------------------------------------

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to
// the setjmp in the function that drives the library. Everything libjpeg touches lives in this
// state object, owned by the caller of that function, so the jump skips no C++ destructor and the
// destructor below always releases the library's memory.
struct JpegErrorManager {
    jpeg_error_mgr pub;  // first: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    std::array<char, JMSG_LENGTH_MAX> message;
};

[[noreturn]] void JpegJump(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

[[noreturn]] void JpegErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message.data());
    JpegJump(cinfo);
}

[[noreturn]] void JpegFail(j_common_ptr cinfo, const char* text) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    std::snprintf(err->message.data(), err->message.size(), "%s", text);
    JpegJump(cinfo);
}

// Warnings (damaged data the library can step over) are not shown; the picture is still used.
void JpegIgnoreMessage(j_common_ptr) {}

void JpegProgress(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxJpegScans) {
        JpegFail(cinfo, "The JPEG picture has too many scans.");
    }
}

void InstallErrorManager(JpegErrorManager& err) {
    jpeg_std_error(&err.pub);
    err.pub.error_exit = JpegErrorExit;
    err.pub.output_message = JpegIgnoreMessage;
    err.message.fill('\0');
}

struct JpegDecoder {
    JpegDecoder() {
        std::memset(&cinfo, 0, sizeof cinfo);
        std::memset(&progress, 0, sizeof progress);
        InstallErrorManager(err);
        cinfo.err = &err.pub;
        progress.progress_monitor = JpegProgress;
    }
    // Safe on a structure that was never created: libjpeg checks its memory manager first.
    ~JpegDecoder() { jpeg_destroy_decompress(&cinfo); }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    jpeg_decompress_struct cinfo;
    JpegErrorManager err;
    jpeg_progress_mgr progress;
};

void CmykRowToBgr(const JSAMPLE* cmyk, std::span<std::uint8_t> bgr, bool adobeInverted) {
    const std::size_t width = bgr.size() / Bitmap::kBytesPerPixel;
    const std::span<const JSAMPLE> in(cmyk, width * 4);
    for (std::size_t x = 0; x < width; ++x) {
        unsigned c = in[x * 4], m = in[x * 4 + 1], y = in[x * 4 + 2], k = in[x * 4 + 3];
        // Adobe's pictures store the inks inverted (255 = no ink); others store ink amounts.
        if (!adobeInverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[x * 3] = static_cast<std::uint8_t>(y * k / 255);
        bgr[x * 3 + 1] = static_cast<std::uint8_t>(m * k / 255);
        bgr[x * 3 + 2] = static_cast<std::uint8_t>(c * k / 255);
    }
}

// Returns false with d.err.message filled when libjpeg fails. No object with a destructor may
// live in this frame across a libjpeg call; the bitmap belongs to the caller.
bool RunJpegDecode(JpegDecoder& d, ByteView data, const ImageLimits& limits, Bitmap& out) {
    if (setjmp(d.err.jump) != 0) return false;
    jpeg_create_decompress(&d.cinfo);
    d.cinfo.progress = &d.progress;
    // Virtual arrays (progressive pictures) beyond the pixel limit are refused, not swapped out.
    constexpr long long kSlack = 64LL << 20;
    const long long pixels = std::clamp<long long>(limits.MaxPixels, 0, (LONG_MAX - kSlack) / 8);
    d.cinfo.mem->max_memory_to_use = static_cast<long>(pixels * 8 + kSlack);
    jpeg_mem_src(&d.cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&d.cinfo, TRUE);

    CheckLimits(d.cinfo.image_width, d.cinfo.image_height, limits);

    bool cmyk = false;
    switch (d.cinfo.jpeg_color_space) {
        case JCS_GRAYSCALE:
        case JCS_YCbCr:
        case JCS_RGB:
            d.cinfo.out_color_space = JCS_EXT_BGR;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            d.cinfo.out_color_space = JCS_CMYK;
            cmyk = true;
            break;
        default:
            JpegFail(reinterpret_cast<j_common_ptr>(&d.cinfo),
                     "The JPEG picture uses a colour space that cannot be shown.");
    }
    jpeg_start_decompress(&d.cinfo);
    if (d.cinfo.output_width != d.cinfo.image_width ||
        d.cinfo.output_height != d.cinfo.image_height ||
        d.cinfo.output_components != (cmyk ? 4 : 3)) {
        JpegFail(reinterpret_cast<j_common_ptr>(&d.cinfo), "The JPEG picture cannot be decoded.");
    }
    out.Resize(static_cast<int>(d.cinfo.output_width), static_cast<int>(d.cinfo.output_height));

    JSAMPARRAY cmykRow = nullptr;
    if (cmyk) {
        cmykRow = (*d.cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&d.cinfo),
                                               JPOOL_IMAGE, d.cinfo.output_width * 4, 1);
    }
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const auto y = static_cast<int>(d.cinfo.output_scanline);
        JSAMPROW row = cmyk ? cmykRow[0] : out.Row(y).data();
        // The memory source never suspends; a call that reads nothing would loop forever.
        if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1) {
            JpegFail(reinterpret_cast<j_common_ptr>(&d.cinfo), "The JPEG picture is incomplete.");
        }
        if (cmyk) CmykRowToBgr(cmykRow[0], out.Row(y), d.cinfo.saw_Adobe_marker != 0);
    }
    // Every row is in: what follows the last row (trailing markers, damaged padding) is not
    // read, so it cannot cost the picture. The decoder's destructor releases the library.
    return true;
}

// Compressed bytes go to a fixed buffer and from there into the caller's vector. A failure to
// grow the vector becomes a libjpeg error, so no C++ exception ever crosses the library.
struct JpegSink {
    jpeg_destination_mgr pub;  // first: libjpeg hands back a pointer to it
    Bytes* out;
    std::array<JOCTET, 16384> buffer;
};

bool AppendNoThrow(Bytes& out, std::span<const JOCTET> bytes) noexcept {
    try {
        out.insert(out.end(), bytes.begin(), bytes.end());
        return true;
    } catch (...) {
        return false;
    }
}

void SinkInit(j_compress_ptr cinfo) {
    auto* sink = reinterpret_cast<JpegSink*>(cinfo->dest);
    sink->pub.next_output_byte = sink->buffer.data();
    sink->pub.free_in_buffer = sink->buffer.size();
}

boolean SinkEmpty(j_compress_ptr cinfo) {
    auto* sink = reinterpret_cast<JpegSink*>(cinfo->dest);
    if (!AppendNoThrow(*sink->out, sink->buffer)) {
        JpegFail(reinterpret_cast<j_common_ptr>(cinfo), "Out of memory while storing a picture.");
    }
    SinkInit(cinfo);
    return TRUE;
}

void SinkTerm(j_compress_ptr cinfo) {
    auto* sink = reinterpret_cast<JpegSink*>(cinfo->dest);
    const std::size_t used = sink->buffer.size() - sink->pub.free_in_buffer;
    if (!AppendNoThrow(*sink->out, std::span<const JOCTET>(sink->buffer).first(used))) {
        JpegFail(reinterpret_cast<j_common_ptr>(cinfo), "Out of memory while storing a picture.");
    }
}

struct JpegEncoder {
    explicit JpegEncoder(Bytes& out) {
        std::memset(&cinfo, 0, sizeof cinfo);
        std::memset(&sink.pub, 0, sizeof sink.pub);
        InstallErrorManager(err);
        cinfo.err = &err.pub;
        sink.out = &out;
        sink.pub.init_destination = SinkInit;
        sink.pub.empty_output_buffer = SinkEmpty;
        sink.pub.term_destination = SinkTerm;
    }
    ~JpegEncoder() { jpeg_destroy_compress(&cinfo); }
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    jpeg_compress_struct cinfo;
    JpegErrorManager err;
    JpegSink sink;
};

bool RunJpegEncode(JpegEncoder& e, const Bitmap& bitmap, int quality) {
    if (setjmp(e.err.jump) != 0) return false;
    jpeg_create_compress(&e.cinfo);
    e.cinfo.dest = &e.sink.pub;
    e.cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
    e.cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
    e.cinfo.input_components = Bitmap::kBytesPerPixel;
    e.cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&e.cinfo);
    jpeg_set_quality(&e.cinfo, quality, TRUE);
    jpeg_start_compress(&e.cinfo, TRUE);
    for (int y = 0; y < bitmap.Height(); ++y) {
        // libjpeg takes rows as writable pointers but only reads them.
        JSAMPROW row = const_cast<JSAMPLE*>(bitmap.Row(y).data());
        jpeg_write_scanlines(&e.cinfo, &row, 1);
    }
    jpeg_finish_compress(&e.cinfo);
    return true;
}

}  // namespace

ImageFormat DetectImageFormat(ByteView data) {
    if (data.size() >= kPngSignature.size() &&
        std::equal(kPngSignature.begin(), kPngSignature.end(), data.begin())) {
        return ImageFormat::Png;
    }
    if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) {
        return ImageFormat::Jpeg;
    }
    return ImageFormat::Unknown;
}

Bitmap DecodePng(ByteView data, const ImageLimits& limits) {
    if (data.empty()) throw ImageError("PNG picture: the file is empty.");
    PngImage png;
    png_image& image = png.get();
    if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) {
        png.fail("not a PNG picture");
    }
    CheckLimits(image.width, image.height, limits);
    if (image.width > static_cast<png_uint_32>(INT32_MAX / Bitmap::kBytesPerPixel) ||
        image.height > static_cast<png_uint_32>(INT32_MAX)) {
        throw ImageError("The picture is too large to open (" +
                         SizeText(image.width, image.height) + ").");
    }
    Bitmap out(static_cast<int>(image.width), static_cast<int>(image.height));
    image.format = PNG_FORMAT_BGR;
    // Without this libpng takes 16-bit samples without gamma information as linear light and
    // brightens them; like 8-bit samples they are meant as they would be shown.
    image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    const png_color white{255, 255, 255};
    if (!png_image_finish_read(&image, &white, out.PixelBytes().data(),
                               static_cast<png_int_32>(out.Stride()), nullptr)) {
        png.fail("the picture data is damaged");
    }
    return out;
}

Bitmap DecodeJpeg(ByteView data, const ImageLimits& limits) {
    if (data.empty()) throw ImageError("JPEG picture: the file is empty.");
    if (data.size() > ULONG_MAX) throw ImageError("JPEG picture: the file is too large.");
    JpegDecoder decoder;
    Bitmap out;
    if (!RunJpegDecode(decoder, data, limits, out)) {
        throw ImageError(std::string("JPEG picture: ") + decoder.err.message.data());
    }
    return out;
}

Bitmap DecodeImage(ByteView data, const ImageLimits& limits) {
    switch (DetectImageFormat(data)) {
        case ImageFormat::Png:
            return DecodePng(data, limits);
        case ImageFormat::Jpeg:
            return DecodeJpeg(data, limits);
        case ImageFormat::Unknown:
            break;
    }
    throw ImageError("The file is neither a PNG nor a JPEG picture.");
}

Bytes EncodePng(const Bitmap& bitmap) {
    if (bitmap.Empty()) throw ImageError("An empty picture cannot be stored as PNG.");
    if (bitmap.Stride() > static_cast<std::size_t>(INT32_MAX)) {
        throw ImageError("The picture is too large to store as PNG.");
    }
    PngImage png;
    png_image& image = png.get();
    image.width = static_cast<png_uint_32>(bitmap.Width());
    image.height = static_cast<png_uint_32>(bitmap.Height());
    image.format = PNG_FORMAT_BGR;
    const auto stride = static_cast<png_int_32>(bitmap.Stride());
    png_alloc_size_t size = 0;
    // First pass measures, second writes: the simplified writer needs the room up front.
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, bitmap.PixelBytes().data(), stride,
                                   nullptr)) {
        png.fail("the picture cannot be stored");
    }
    Bytes out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, bitmap.PixelBytes().data(), stride,
                                   nullptr)) {
        png.fail("the picture cannot be stored");
    }
    out.resize(size);
    return out;
}

Bytes EncodeJpeg(const Bitmap& bitmap, int quality) {
    if (bitmap.Empty()) throw ImageError("An empty picture cannot be stored as JPEG.");
    if (quality < 1 || quality > 100) {
        throw ImageError("JPEG quality " + std::to_string(quality) + " is not between 1 and 100.");
    }
    Bytes out;
    JpegEncoder encoder(out);
    if (!RunJpegEncode(encoder, bitmap, quality)) {
        throw ImageError(std::string("JPEG picture: ") + encoder.err.message.data());
    }
    return out;
}

}  // namespace kinloom
